#include "settings/AppSettings.h"

namespace torvin {

AppSettings& Settings() {
    static AppSettings settings;
    return settings;
}

}  // namespace torvin

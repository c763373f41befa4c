#include <windows.h>

#include "app/PetSwapApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    torvin::PetSwapApp app(instance);
    app.StartUp();
    return app.ShutDown();
}

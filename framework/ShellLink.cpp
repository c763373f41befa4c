#include "framework/ShellLink.h"

#include "framework/ShellLibraries.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <utility>

namespace torvin {

namespace {

// Owns one reference to a COM object.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For the out-parameter of a creating call; drops what was held.
    void** Put() {
        Reset();
        return reinterpret_cast<void**>(&object_);
    }
    void Reset() {
        if (auto* held = std::exchange(object_, nullptr)) {
            held->Release();
        }
    }

  private:
    T* object_ = nullptr;
};

// The link object and its file side, both of the same object.
struct LinkObject {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;

    LinkObject() {
        if (Shell().Loaded() &&
            SUCCEEDED(Shell().coCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IShellLinkW, link.Put()))) {
            link->QueryInterface(IID_IPersistFile, file.Put());
        }
    }
    bool Ready() const { return link && file; }
};

struct CoTaskText {
    PWSTR text = nullptr;
    ~CoTaskText() {
        if (text != nullptr) {
            Shell().coTaskMemFree(text);
        }
    }
};

}  // namespace

bool SaveShellLink(const std::wstring& path, const ShellLinkFields& fields) {
    const ComScope com;
    LinkObject object;
    return object.Ready() && SUCCEEDED(object.link->SetPath(fields.target.c_str())) &&
           SUCCEEDED(object.link->SetArguments(fields.arguments.c_str())) &&
           SUCCEEDED(object.link->SetWorkingDirectory(fields.workingFolder.c_str())) &&
           SUCCEEDED(object.link->SetIconLocation(fields.iconFile.c_str(), fields.iconIndex)) &&
           SUCCEEDED(object.file->Save(path.c_str(), TRUE));
}

std::optional<ShellLinkFields> LoadShellLink(const std::wstring& path) {
    const ComScope com;
    LinkObject object;
    if (!object.Ready() || FAILED(object.file->Load(path.c_str(), STGM_READ))) {
        return std::nullopt;
    }
    // INFOTIPSIZE is the longest argument text a link holds; paths are shorter.
    std::wstring buffer(INFOTIPSIZE, L'\0');
    const auto take = [&buffer] { return std::wstring(buffer.c_str()); };
    ShellLinkFields fields;
    if (FAILED(object.link->GetPath(buffer.data(), MAX_PATH, nullptr, SLGP_RAWPATH))) {
        return std::nullopt;
    }
    fields.target = take();
    buffer[0] = L'\0';
    object.link->GetArguments(buffer.data(), INFOTIPSIZE);
    fields.arguments = take();
    buffer[0] = L'\0';
    object.link->GetWorkingDirectory(buffer.data(), MAX_PATH);
    fields.workingFolder = take();
    buffer[0] = L'\0';
    object.link->GetIconLocation(buffer.data(), MAX_PATH, &fields.iconIndex);
    fields.iconFile = take();
    return fields;
}

std::optional<std::wstring> DesktopFolder() {
    CoTaskText folder;
    if (!Shell().Loaded() || FAILED(Shell().knownFolderPath(FOLDERID_Desktop, 0, nullptr, &folder.text))) {
        return std::nullopt;
    }
    return std::wstring(folder.text);
}

}  // namespace torvin

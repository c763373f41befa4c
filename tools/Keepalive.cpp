// Keeps Wine's virtual desktop alive between test processes, so that each GUI test does not
// pay for starting a new desktop. It owns no window and waits until it is killed.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}

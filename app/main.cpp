// The game's entry point: asks windowed or full screen, opens the 800 x 600 window and plays.
#include "app/Application.h"
#include "app/ContentTree.h"
#include "platform/Platform.h"

int main(int, char** argv) {
    EnterContentTree(argv[0]);
    platform::GetSettings().headless = false;
    Application& app = Application::GetInstance();
    int result = 0;
    if (app.Initialize(nullptr)) result = app.Run();
    platform::Shutdown();
    return result;
}

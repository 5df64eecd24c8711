// The game's entry point: asks windowed or full screen, opens the 800 x 600 window and plays.
#include <filesystem>

#include "app/Application.h"
#include "platform/Platform.h"

namespace {

// The game reads its data relative to the working directory. Started from elsewhere, it moves into
// the content tree that the build puts beside its binary (build/bin/../game).
void EnterContentTree(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists("Data", error) || fs::exists("data", error)) return;
    const fs::path binary = fs::weakly_canonical(fs::path(argv0), error);
    const fs::path content = binary.parent_path().parent_path() / "game";
    if (!error && fs::is_directory(content / "Data", error)) fs::current_path(content, error);
}

}  // namespace

int main(int, char** argv) {
    EnterContentTree(argv[0]);
    platform::GetSettings().headless = false;
    Application& app = Application::GetInstance();
    int result = 0;
    if (app.Initialize(nullptr)) result = app.Run();
    platform::Shutdown();
    return result;
}

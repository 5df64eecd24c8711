// The game's entry point: asks windowed or full screen, opens the 800 x 600 window and plays.
#include <filesystem>

#include "app/Application.h"
#include "platform/Platform.h"

namespace {

// The game reads its data relative to the working directory. Started from elsewhere, it moves into
// the content tree that the build puts beside its binary (build/bin/../game) or, installed, the one
// under its prefix (PREFIX/libexec/veldorin/../../share/veldorin; the launcher starts it there).
void EnterContentTree(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists("Data", error) || fs::exists("data", error)) return;
    const fs::path binary = fs::weakly_canonical(fs::path(argv0), error);
    if (error) return;
    const fs::path folder = binary.parent_path();
    const fs::path built = folder.parent_path() / "game";
    const fs::path installed = folder.parent_path().parent_path() / "share" / "veldorin";
    for (const fs::path& content : {built, installed}) {
        if (fs::is_directory(content / "Data", error)) {
            fs::current_path(content, error);
            return;
        }
    }
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

#include "shell/script_hooks.h"

#include <string>

#include "platform/files.h"
#include "platform/loop.h"
#include "shell/lifecycle.h"

namespace {

bool writeView(const std::string& path, std::string* error) {
    std::string text = "UiMode=" + std::to_string(gUiMode) + "\n";
    text += "frames=" + std::to_string(platform::paintCount()) + "\n";
    return platform::writeFileAtomic(path, text.data(), text.size(), error);
}

}  // namespace

platform::ScriptHooks scriptHooks() {
    platform::ScriptHooks hooks;
    hooks.view = writeView;
    hooks.quit = [] { shutdown(); };
    return hooks;
}

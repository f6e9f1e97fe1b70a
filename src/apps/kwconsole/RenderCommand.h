// Headless rendering: one pane of a layout drawn into a PNG file without showing a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kw::console {

/// What `kwconsole --render` was asked to do.
struct RenderOptions {
    std::string portal;                    ///< --portal DIR; empty: the demo portal
    std::string user;                      ///< --user NAME; empty: the portal's first user
    std::string layout = "Aktives Layout"; ///< --open NAME
    std::string output;                    ///< --render FILE.png
    bool applicationPane = false;          ///< --pane app (default: start)
    int width = 1280;                      ///< --size WxH
    int height = 800;
};

/// Whether the command line asks for rendering (holds --render).
bool wantsRender(int argc, char **argv);

/// Parses `--portal DIR --open NAME --render FILE.png [--pane start|app] [--size WxH] [--user NAME]`
/// (argument 0 is the program). Gives nothing with `error` set when the line is wrong.
std::optional<RenderOptions> parseRenderOptions(const std::vector<std::string> &arguments,
                                                std::string &error);

/// Renders as asked and returns the process's exit status: 0 when the PNG was written, 1 when the portal,
/// the layout or the file failed, 2 for a wrong command line. Needs no display: without one it draws
/// offscreen. Makes its own application object; call it before any other.
int runRender(int argc, char **argv);

} // namespace kw::console

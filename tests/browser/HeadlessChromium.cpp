#include "HeadlessChromium.h"

#include "TempPortal.h"

#include <array>
#include <cstdio>

namespace kw::test {

namespace {

std::string outputOf(const std::string &command)
{
    std::string output;
    FILE *pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), n);
    ::pclose(pipe);
    return output;
}

} // namespace

std::string pageResult(const std::filesystem::path &page, int virtualTimeMs)
{
    TempDir profile;
    std::string command = std::string("timeout 90 ") + kChromium +
                          " --headless --no-sandbox --disable-gpu --disable-dev-shm-usage --no-first-run"
                          " --disable-background-networking --disable-component-update --disable-sync"
                          " --allow-file-access-from-files";
    if (virtualTimeMs > 0)
        command += " --virtual-time-budget=" + std::to_string(virtualTimeMs);
    command += " --user-data-dir=" + profile.path().string() + " --dump-dom 'file://" + page.string() +
               "' 2>/dev/null";
    const std::string dom = outputOf(command);
    constexpr std::string_view kOpen = "<pre id=\"result\">";
    const auto begin = dom.find(kOpen);
    const auto end = dom.find("</pre>", begin);
    if (begin == std::string::npos || end == std::string::npos)
        return {};
    return dom.substr(begin + kOpen.size(), end - begin - kOpen.size());
}

} // namespace kw::test

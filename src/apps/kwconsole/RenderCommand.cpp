// kwconsole --render: a layout's pane as a PNG, for machines without a display and for thumbnails.
#include "RenderCommand.h"

#include "ConsoleOptions.h"

#include "preview/LayoutPreview.h"
#include "server/LocalPortal.h"

#include <QGuiApplication>
#include <QImage>

#include <charconv>
#include <cstdio>
#include <exception>
#include <iostream>

namespace kw::console {

namespace {

constexpr const char *kUsage =
    "usage: kwconsole --portal DIR --open NAME --render FILE.png [--pane start|app] [--size WxH] [--user "
    "NAME]\n"
    "  Renders the start page pane (or the application pages pane) of a layout into a PNG file and exits.\n"
    "  NAME is \"Aktives Layout\" (the default) or the name of a stored layout; the size defaults to "
    "1280x800.\n";

// Messages go to standard error; a question (there is none while loading) is answered No.
class StderrPrompter final : public Prompter {
public:
    void tell(std::string_view message) override { std::cerr << "kwconsole: " << message << '\n'; }
    Answer ask(std::string_view question) override
    {
        std::cerr << "kwconsole: " << question << " -> Nein\n";
        return Answer::No;
    }
    void showExtendedError(StringId message, const ServerError &error) override
    {
        std::cerr << "kwconsole: " << loadString(message) << " (" << error.what() << ")\n";
        m_failed = true;
    }
    bool failed() const { return m_failed; }

private:
    bool m_failed = false;
};

bool parseSize(std::string_view text, int &width, int &height)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return false;
    const auto number = [](std::string_view digits, int &value) {
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return ec == std::errc() && end == digits.data() + digits.size() && value > 0 && value <= 16384;
    };
    return number(text.substr(0, x), width) && number(text.substr(x + 1), height);
}

} // namespace

bool wantsRender(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--render" || std::string_view(argv[i]).starts_with("--render="))
            return true;
    return false;
}

std::optional<RenderOptions> parseRenderOptions(const std::vector<std::string> &arguments, std::string &error)
{
    RenderOptions options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const auto take = [&]() -> std::optional<std::string> {
            if (value)
                return value;
            if (i + 1 < arguments.size())
                return arguments[++i];
            error = name + " needs a value";
            return std::nullopt;
        };
        std::optional<std::string> taken;
        if (name == "--portal" && (taken = take())) {
            options.portal = *taken;
        } else if (name == "--user" && (taken = take())) {
            options.user = *taken;
        } else if (name == "--open" && (taken = take())) {
            options.layout = *taken;
        } else if (name == "--render" && (taken = take())) {
            options.output = *taken;
        } else if (name == "--pane" && (taken = take())) {
            if (*taken != "start" && *taken != "app") {
                error = "--pane takes start or app, not " + *taken;
                return std::nullopt;
            }
            options.applicationPane = *taken == "app";
        } else if (name == "--size" && (taken = take())) {
            if (!parseSize(*taken, options.width, options.height)) {
                error = "--size takes WIDTHxHEIGHT (1 to 16384 pixels each), not " + *taken;
                return std::nullopt;
            }
        } else {
            if (error.empty())
                error = "unexpected argument " + arguments[i];
            return std::nullopt;
        }
    }
    if (options.output.empty()) {
        error = "--render needs a file name";
        return std::nullopt;
    }
    if (options.layout.empty()) {
        error = "--open needs a layout name";
        return std::nullopt;
    }
    return options;
}

int runRender(int argc, char **argv)
{
    std::vector<std::string> arguments(argv, argv + argc);
    for (const std::string &argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    std::string error;
    const std::optional<RenderOptions> options = parseRenderOptions(arguments, error);
    if (!options) {
        std::cerr << "kwconsole: " << error << '\n' << kUsage;
        return 2;
    }
    // Nothing is shown: without a display the offscreen platform draws just as well.
    if (!displayAvailable())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("KwLOutMan10"));
    const std::string portal = options->portal.empty() ? demoPortalFolder().toStdString() : options->portal;

    StderrPrompter prompter;
    try {
        if (!server::LocalPortal::holdsPortal(portal)) {
            std::cerr << "kwconsole: no portal in " << portal << '\n';
            return 1;
        }
        preview::LayoutPreview preview(server::LocalPortal::open(portal, options->user), prompter);
        if (!preview.open(options->layout) || prompter.failed()) {
            std::cerr << "kwconsole: the layout \"" << options->layout << "\" could not be read\n";
            return 1;
        }
        const layout::Pane pane =
            options->applicationPane ? layout::Pane::ApplicationPages : layout::Pane::StartPage;
        const QImage image = preview.render(pane, QSize(options->width, options->height));
        if (!image.save(QString::fromStdString(options->output), "PNG")) {
            std::cerr << "kwconsole: cannot write " << options->output << '\n';
            return 1;
        }
        std::cout << "kwconsole: rendered the "
                  << (options->applicationPane ? "application pages" : "start page") << " pane of \""
                  << options->layout << "\" (" << options->width << "x" << options->height << ") to "
                  << options->output << '\n';
        return 0;
    } catch (const std::exception &failure) {
        std::cerr << "kwconsole: " << failure.what() << '\n';
        return 1;
    }
}

} // namespace kw::console

#include "PortalPageTestSupport.h"

#include "server/PortalAccess.h"

namespace kw::portalpage::test {

namespace {

void put16(std::string &out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void put32(std::string &out, unsigned value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

std::string bmpFile(int width, int height, Color color)
{
    const unsigned stride = (static_cast<unsigned>(width) * 3 + 3) & ~3u;
    const unsigned imageSize = stride * static_cast<unsigned>(height);
    std::string out = "BM";
    put32(out, 54 + imageSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<unsigned>(width));
    put32(out, static_cast<unsigned>(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>(blueOf(color));
            row += static_cast<char>(greenOf(color));
            row += static_cast<char>(redOf(color));
        }
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}

ElementHarness::ElementHarness(bool withPortal)
{
    server::Environment env;
    if (withPortal) {
        m_portal = std::make_unique<kw::test::TempPortal>();
        env = m_portal->env();
    }
    m_pictures = std::make_unique<PictureSource>(env);
    HeaderDate date;
    date.today =
        std::chrono::year_month_day(std::chrono::year(2026), std::chrono::December, std::chrono::day(4));
    date.userLanguage = 0x0407;
    m_context =
        std::make_unique<ElementContext>(ElementContext{env, m_prompter, m_measure, *m_pictures, date});
}

void ElementHarness::putPicture(const std::string &name, const std::string &bytes)
{
    m_portal->write(std::string(server::folders::CompanyImages) + "\\" + name, bytes);
}

RecordingPaintDevice ElementHarness::paint(const CPreviewElement &element, int width, int height)
{
    RecordingPaintDevice device;
    element.Paint(device, {0, 0, width, height});
    return device;
}

std::vector<std::string> drawnTexts(const RecordingPaintDevice &device)
{
    std::vector<std::string> texts;
    for (const painted::DrawText &call : device.callsOf<painted::DrawText>())
        texts.push_back(call.text);
    return texts;
}

painted::DrawText drawnText(const RecordingPaintDevice &device, const std::string &text)
{
    for (const painted::DrawText &call : device.callsOf<painted::DrawText>())
        if (call.text == text)
            return call;
    ADD_FAILURE() << "no text \"" << text << "\" was drawn";
    return {};
}

std::vector<Rect> pictureDestinations(const RecordingPaintDevice &device)
{
    std::vector<Rect> rects;
    for (const auto &call : device.pictureCalls().callsOf<image::recorded::StretchDIBits>())
        rects.push_back(call.destination);
    return rects;
}

} // namespace kw::portalpage::test

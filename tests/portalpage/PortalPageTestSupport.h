// Shared pieces of the portal page tests: a context over a recording device and pictures made on the spot.
#pragma once

#include "ScriptedPrompter.h"
#include "TempPortal.h"
#include "portalpage/PreviewElement.h"
#include "portalpage/RecordingPaintDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kw::portalpage::test {

/// A 24-bit BMP file of one colour.
std::string bmpFile(int width, int height, Color color);

/// Everything an element needs to be rebuilt, measuring on a recording device. Without a portal every
/// named picture is missing; `withPortal()` gives a fresh demo portal whose Images\Company the test fills.
class ElementHarness {
public:
    explicit ElementHarness(bool withPortal = false);

    ElementContext &context() { return *m_context; }
    RecordingPaintDevice &measure() { return m_measure; }
    PictureSource &pictures() { return *m_pictures; }
    kw::test::ScriptedPrompter &prompter() { return m_prompter; }
    kw::test::TempPortal &portal() { return *m_portal; }
    layout::LayoutModel &model() { return m_model; }

    /// Stores a picture file in the portal's Images\Company.
    void putPicture(const std::string &name, const std::string &bytes);

    /// Paints an element into a fresh recording device of the given size.
    RecordingPaintDevice paint(const CPreviewElement &element, int width, int height);

private:
    std::unique_ptr<kw::test::TempPortal> m_portal;
    layout::LayoutModel m_model;
    RecordingPaintDevice m_measure;
    kw::test::ScriptedPrompter m_prompter;
    std::unique_ptr<PictureSource> m_pictures;
    std::unique_ptr<ElementContext> m_context;
};

/// The texts drawn, in order.
std::vector<std::string> drawnTexts(const RecordingPaintDevice &device);
/// The first DrawText call of a text; fails the test when there is none.
painted::DrawText drawnText(const RecordingPaintDevice &device, const std::string &text);
/// Destinations of the pictures drawn, in order.
std::vector<Rect> pictureDestinations(const RecordingPaintDevice &device);

} // namespace kw::portalpage::test

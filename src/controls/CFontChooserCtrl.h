// The font chooser: an editable list of the system's font families whose text is the chosen family.
#pragma once

#include <QComboBox>

#include <functional>
#include <string>

namespace kw::controls {

/// An editable drop-down of the font families fontconfig knows. Its text is the family (or family list)
/// as the layout holds it, which need not be one of the listed families; choosing an entry or typing
/// changes the text. Give it an accessible name that says whose font it is.
class CFontChooserCtrl : public QComboBox {
public:
    explicit CFontChooserCtrl(QWidget *parent = nullptr);

    std::string text() const;
    /// Shows `family`; does not call `onEdited`.
    void setText(const std::string &family);

    /// Called with the new text whenever the user changes it.
    std::function<void(const std::string &)> onEdited;

private:
    bool m_settingText = false;
};

} // namespace kw::controls

// The font controls the Headings and the Links page share: a font chooser, a size field with its "Pixel"
// unit and a weight list, each with its label, and the helpers that name controls by their IDs.
#pragma once

#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace kw::controls {
class CFontChooserCtrl;
class CKwColorBtn;
class CKwNiceStatic;
} // namespace kw::controls

namespace kw::pages {

/// Space between a group of a page and the header of the next group.
inline constexpr int kGroupGap = 8;

/// Names `widget` by its dialog ID, the object name tests and tools find it by.
template <class T> T *withId(T *widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

/// A header caption (" Überschrift 1") with its ID.
controls::CKwNiceStatic *makeHeader(const char *caption, int id, QWidget *parent);
/// Enables or disables every control of `page` but `keep`; the section headers stay readable, as they
/// only name their groups.
void enableControlsExcept(QWidget &page, const QWidget *keep, bool enabled);
/// A click on a page's switch, the check box that enables the page's other controls: takes the page's values
/// with `take`. When `take` refuses a value the click is undone (box and `field` as before the click), so
/// the switch and the controls it enables still agree. True when the values were taken.
bool takeSwitchClick(QCheckBox &box, bool &field, const std::function<bool()> &take);
/// A label showing `caption` (with its mnemonic) for `buddy`.
QLabel *makeLabel(const char *caption, QWidget *buddy, QWidget *parent);
/// A colour button with its ID and accessible name.
controls::CKwColorBtn *makeColorButton(int id, const QString &accessibleName, QWidget *parent);

/// The IDs, captions and the screen reader's suffix of one font group.
struct FontGroupSpec {
    int font, size, weight;
    const char *fontCaption, *sizeCaption, *weightCaption;
    QString whose; // appended to the accessible names ("Überschrift 1"); empty for none
};

struct FontGroupControls {
    controls::CFontChooserCtrl *font = nullptr;
    QLineEdit *size = nullptr;
    QComboBox *weight = nullptr;

    /// Makes the controls and lays them out on two rows of `grid` from `row`: font and weight, then size.
    void build(const FontGroupSpec &spec, QGridLayout &grid, int row, QWidget *parent);
};

} // namespace kw::pages

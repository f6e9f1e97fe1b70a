// One picture field of a page: its label, the file name and the "Ändern..." button that opens the image
// chooser.
#pragma once

#include "pages/PropertyPage.h"

#include <string>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kw::pages {

/// The IDs and captions of one picture field; `labelId` 0 leaves the label unnamed.
struct ImageFieldSpec {
    int edit, change;
    const char *caption, *changeCaption;
    int labelId = 0;
};

struct ImageField {
    QLabel *label = nullptr;
    QLineEdit *edit = nullptr;
    QPushButton *change = nullptr;

    /// Adds label, file name and button to `grid` in `row`, from column `column` on (label, name across
    /// two columns, button).
    void build(const ImageFieldSpec &spec, QGridLayout &grid, int row, int column, QWidget *parent);
    void setEnabled(bool enabled);
    void setVisible(bool visible);
};

/// Opens the image chooser on `value`. When the user confirms a file whose name differs from it, marks
/// `changed` and `imageChanged`, stores the name and returns true.
bool chooseImageInto(const PageContext &context, std::string &value, bool &changed, bool &imageChanged,
                     QWidget *parent);

} // namespace kw::pages

#include "pages/CButtonStyleProp.h"

#include "base/StringTable.h"
#include "controls/CBorderStyleBox.h"
#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "controls/DataExchange.h"
#include "pages/CWebPagePropSheet.h"
#include "pages/ImageChooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace kw::pages {

using layout::ButtonStyle;
using namespace buttons;

namespace {

enum Colour { Background, Text, TopLeft, BottomRight };

struct ColourSpec {
    int id;
    Color ButtonStyle::*field;
    const char *caption;
    const char *spoken;
};

constexpr std::array<ColourSpec, 4> kColours = {{
    {BackgroundColor, &ButtonStyle::backgroundColor, "&Farbe", "Hintergrundfarbe"},
    {TextColor, &ButtonStyle::textColor, "F&arbe", "Textfarbe"},
    {BorderTopLeft, &ButtonStyle::borderTopLeftColor, "Farbe links &oben", "Rahmenfarbe links oben"},
    {BorderBottomRight, &ButtonStyle::borderBottomRightColor, "Farbe rech&ts unten",
     "Rahmenfarbe rechts unten"},
}};

struct NumberSpec {
    int id;
    int ButtonStyle::*field;
    const char *spoken;
};

/// The spacing fields (margins, then paddings, each top, left, bottom, right), then border width and
/// height.
constexpr std::array<NumberSpec, 10> kNumbers = {{
    {MarginTop, &ButtonStyle::marginTop, "Abstand oben"},
    {MarginLeft, &ButtonStyle::marginLeft, "Abstand links"},
    {MarginBottom, &ButtonStyle::marginBottom, "Abstand unten"},
    {MarginRight, &ButtonStyle::marginRight, "Abstand rechts"},
    {PaddingTop, &ButtonStyle::paddingTop, "Füllung oben"},
    {PaddingLeft, &ButtonStyle::paddingLeft, "Füllung links"},
    {PaddingBottom, &ButtonStyle::paddingBottom, "Füllung unten"},
    {PaddingRight, &ButtonStyle::paddingRight, "Füllung rechts"},
    {BorderWidth, &ButtonStyle::borderWidth, "Stärke"},
    {Height, &ButtonStyle::height, "Höhe"},
}};
constexpr std::size_t kSides = 4, kWidthField = 8, kHeightField = 9;
constexpr std::array<const char *, 2> kSpacingCaptions = {"Abstand", "Füllung"};
constexpr std::array<const char *, kSides> kSideCaptions = {"&oben", "lin&ks", "&unten", "&rechts"};
constexpr std::array<const char *, 3> kAlignments = {"zentriert", "links", "rechts"};

/// The fields take any whole number; only the border width is clamped afterwards.
constexpr int kAnyMin = std::numeric_limits<int>::min(), kAnyMax = std::numeric_limits<int>::max();
/// Space between the sides of a margin or padding row.
constexpr int kSideGap = 8;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

QLabel *pixel(QWidget *parent)
{
    return new QLabel(QStringLiteral("Pixel"), parent);
}

/// The name box's edit field. Leaving it or pressing Return tells the box nothing: the box would switch to
/// a style whose name the text matches, so that later edits went to that style. Return goes on to the
/// sheet's default button, as in any other field.
class StyleNameEdit final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusOutEvent(QFocusEvent *event) override
    {
        const QSignalBlocker quiet(this);
        QLineEdit::focusOutEvent(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            event->ignore();
        else
            QLineEdit::keyPressEvent(event);
    }
};

} // namespace

CButtonStyleProp::CButtonStyleProp() : CPropertyPage(PageSlot::Buttons) {}

CButtonStyleProp::~CButtonStyleProp() = default;

// --- controls -------------------------------------------------------------------------------------

void CButtonStyleProp::buildControls()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    m_custom =
        withId(new QCheckBox(text("&Benutzerdefinierte Einstellung der Schaltflächen"), this), CustomButtons);
    grid->addWidget(m_custom, 0, 0, 1, 5);
    m_nameBox = withId(new QComboBox(this), StyleName);
    // What the box shows is the name that is stored: no completion from the other styles' names, and
    // leaving the box (or Return) with another style's name does not switch to that style; only choosing
    // an entry of the list does.
    m_nameBox->setLineEdit(new StyleNameEdit(m_nameBox));
    m_nameBox->setInsertPolicy(QComboBox::NoInsert);
    m_nameBox->setCompleter(nullptr);
    m_nameBox->setAccessibleName(text("Stil"));
    m_new = withId(new QPushButton(text("&Neu"), this), NewStyle);
    m_delete = withId(new QPushButton(text("&Löschen"), this), DeleteStyle);
    grid->addWidget(m_nameBox, 1, 0, 1, 3);
    grid->addWidget(m_new, 1, 3);
    grid->addWidget(m_delete, 1, 4);

    for (std::size_t i = 0; i < kColours.size(); ++i)
        m_colors[i] = makeColorButton(kColours[i].id, text(kColours[i].spoken), this);
    auto colourLabel = [this](Colour c) { return makeLabel(kColours[c].caption, m_colors[c], this); };

    auto *background = makeHeader(" Hintergrund", BackgroundHeader, this);
    grid->addWidget(background, 2, 0, 1, 5, Qt::AlignBottom);
    grid->addWidget(colourLabel(Background), 3, 0);
    grid->addWidget(m_colors[Background], 3, 1, Qt::AlignLeft);
    m_image = withId(new QLineEdit(this), ImageFile);
    m_image->setAccessibleName(text("Bild-Datei"));
    m_change = withId(new QPushButton(text("Änd&ern..."), this), ChangeImage);
    grid->addWidget(makeLabel("Bild-&Datei", m_image, this), 4, 0);
    grid->addWidget(m_image, 4, 1, 1, 3);
    grid->addWidget(m_change, 4, 4);

    grid->addWidget(makeHeader(" Text", TextHeader, this), 5, 0, 1, 5, Qt::AlignBottom);
    m_text.build({Font, Size, Weight, "S&chriftart", "&Größe", "Sc&hnitt", QString()}, *grid, 6, this);
    grid->addWidget(colourLabel(Text), 7, 3);
    grid->addWidget(m_colors[Text], 7, 4, Qt::AlignLeft);
    m_alignment = withId(new QComboBox(this), Alignment);
    m_alignment->setAccessibleName(text("Ausrichtung"));
    for (const char *alignment : kAlignments)
        m_alignment->addItem(text(alignment));
    grid->addWidget(makeLabel("A&usrichtung", m_alignment, this), 8, 0);
    grid->addWidget(m_alignment, 8, 1, 1, 2);

    for (std::size_t i = 0; i < kNumbers.size(); ++i) {
        QLineEdit *edit = withId(new QLineEdit(this), kNumbers[i].id);
        edit->setAccessibleName(text(kNumbers[i].spoken));
        edit->setMaxLength(5);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
        m_numbers[i] = edit;
    }
    // Margins and paddings: one row each, the four sides in columns.
    auto *spacing = new QGridLayout;
    spacing->setHorizontalSpacing(6);
    for (std::size_t row = 0; row < kSpacingCaptions.size(); ++row) {
        const int r = static_cast<int>(row);
        spacing->addWidget(new QLabel(text(kSpacingCaptions[row]), this), r, 0);
        for (std::size_t side = 0; side < kSides; ++side) {
            QLineEdit *edit = m_numbers[row * kSides + side];
            const int column = 1 + 3 * static_cast<int>(side);
            QLabel *label = makeLabel(kSideCaptions[side], edit, this);
            label->setContentsMargins(kSideGap, 0, 0, 0); // apart from the "Pixel" of the side before
            spacing->addWidget(label, r, column, Qt::AlignRight);
            spacing->addWidget(edit, r, column + 1);
            spacing->addWidget(pixel(this), r, column + 2);
        }
    }
    spacing->setColumnStretch(13, 1);
    grid->addLayout(spacing, 9, 0, 2, 5);

    grid->addWidget(makeHeader(" Rahmen", BorderHeader, this), 11, 0, 1, 5, Qt::AlignBottom);
    m_borderStyle = withId(new controls::CBorderStyleBox(this), BorderStyle);
    m_borderStyle->setAccessibleName(text("Rahmenart"));
    grid->addWidget(makeLabel("Rah&menart", m_borderStyle, this), 12, 0);
    grid->addWidget(m_borderStyle, 12, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(colourLabel(TopLeft), 12, 3);
    grid->addWidget(m_colors[TopLeft], 12, 4, Qt::AlignLeft);
    const struct {
        const char *caption;
        std::size_t field;
    } kBorderNumbers[] = {{"St&ärke", kWidthField}, {"H&öhe", kHeightField}};
    int row = 13;
    for (const auto &number : kBorderNumbers) {
        QLineEdit *edit = m_numbers[number.field];
        auto *cell = new QHBoxLayout;
        cell->addWidget(edit);
        cell->addWidget(pixel(this));
        cell->addStretch();
        grid->addWidget(makeLabel(number.caption, edit, this), row, 0);
        grid->addLayout(cell, row, 1, 1, 2);
        ++row;
    }
    grid->addWidget(colourLabel(BottomRight), 13, 3);
    grid->addWidget(m_colors[BottomRight], 13, 4, Qt::AlignLeft);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
    for (int headerRow : {2, 5, 11})
        grid->setRowMinimumHeight(headerRow, background->sizeHint().height() + kGroupGap);

    connect(m_custom, &QCheckBox::clicked, this, [this] { customButtonsClicked(); });
    connect(m_new, &QPushButton::clicked, this, [this] { newStyle(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteStyle(); });
    connect(m_change, &QPushButton::clicked, this, [this] { chooseImage(); });
    connect(m_nameBox, &QComboBox::activated, this, [this](int position) { nameChosen(position); });
    connect(m_nameBox->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString &typed) { m_name = typed; });
}

// --- the page cycle -------------------------------------------------------------------------------

void CButtonStyleProp::OnInitDialog()
{
    buildControls();
    m_customButtons = sheet().customButtons;
    applyEnableRule();
    UpdateData(false);
    // Tracking starts after the names were filled in, so that showing them is no change.
    styles.startTracking();
}

void CButtonStyleProp::applyEnableRule()
{
    enableControlsExcept(*this, m_custom, m_customButtons);
    applyStyleRule();
}

void CButtonStyleProp::applyStyleRule()
{
    const bool ownStyle = styles.current().deletable;
    m_delete->setEnabled(m_customButtons && ownStyle);
    // A predefined style keeps its name: the box shows it and lists the styles to choose from.
    m_nameBox->lineEdit()->setReadOnly(!ownStyle);
}

void CButtonStyleProp::exchangeName(controls::DataExchange &dx)
{
    if (dx.saving()) {
        if (styles.current().deletable) {
            // The name box lists the styles by name, and re-keying a new style onto a taken key would
            // drop it: a name must be given and be the style's own.
            const std::string name = m_name.toStdString();
            if (m_name.trimmed().isEmpty())
                dx.refuse(m_nameBox, loadString(StringId::ButtonStyleNameMissing));
            if (styles.isNameTaken(name, m_newStylePending))
                dx.refuse(m_nameBox, loadString(StringId::ButtonStyleNameTaken));
            styles.current().denotation = name;
        }
        if (m_newStylePending) {
            styles.rekeyFromDenotation();
            m_newStylePending = false;
        }
        return;
    }
    styles.current(); // makes the first style current when none is
    QSignalBlocker quiet(m_nameBox);
    m_nameBox->clear();
    for (std::size_t i = 0; i < styles.size(); ++i)
        m_nameBox->addItem(text(styles.denotationAt(i)));
    m_nameBox->setCurrentIndex(styles.currentPosition());
    m_name = m_nameBox->currentText();
}

void CButtonStyleProp::DoDataExchange(controls::DataExchange &dx)
{
    dx.check(m_custom, m_customButtons);
    exchangeName(dx);
    ButtonStyle &style = styles.current();
    for (std::size_t i = 0; i < kColours.size(); ++i) {
        if (dx.saving())
            style.*kColours[i].field = m_colors[i]->color();
        else
            m_colors[i]->setColor(style.*kColours[i].field);
    }
    if (dx.saving()) {
        if (const auto keyword = m_borderStyle->borderStyle())
            style.borderStyle = *keyword;
    } else if (m_customButtons) {
        m_borderStyle->setBorderStyle(style.borderStyle);
    } else {
        m_borderStyle->clearSelection(); // no border style is shown while the styles are not used
    }
    dx.text(m_image, style.backgroundImage);
    dx.text(m_text.font, style.fontFamily);
    dx.number(m_text.size, style.fontSize, kAnyMin, kAnyMax);
    dx.index(m_text.weight, style.fontWeight);
    dx.index(m_alignment, style.textAlign);
    for (std::size_t i = 0; i < kNumbers.size(); ++i)
        dx.number(m_numbers[i], style.*kNumbers[i].field, kAnyMin, kAnyMax);
    if (dx.saving())
        style.borderWidth = std::clamp(style.borderWidth, kMinBorderWidth, kMaxBorderWidth);
    else
        applyStyleRule();
}

bool CButtonStyleProp::UpdateData(bool saving)
{
    return controls::DataExchange::run(saving, context().prompter,
                                       [this](controls::DataExchange &dx) { DoDataExchange(dx); });
}

void CButtonStyleProp::customButtonsClicked()
{
    if (!takeSwitchClick(*m_custom, m_customButtons, [this] { return UpdateData(true); }))
        return;
    UpdateData(false);
    applyEnableRule();
}

void CButtonStyleProp::newStyle()
{
    if (!UpdateData(true))
        return;
    styles.add(loadString(StringId::NewStyleName));
    m_newStylePending = true;
    UpdateData(false);
}

void CButtonStyleProp::deleteStyle()
{
    if (!UpdateData(true))
        return;
    styles.remove();
    UpdateData(false);
}

void CButtonStyleProp::nameChosen(int position)
{
    if (position < 0 || position >= static_cast<int>(styles.size()))
        return;
    // By key: taking the values may re-key a new style, which moves it to the end of the list.
    const std::string chosen = styles.styles()[static_cast<std::size_t>(position)].key;
    if (!UpdateData(true)) {
        QSignalBlocker quiet(m_nameBox);
        m_nameBox->setCurrentIndex(styles.currentPosition());
        m_nameBox->setEditText(m_name);
        return;
    }
    styles.setCurrent(chosen);
    UpdateData(false);
}

void CButtonStyleProp::chooseImage()
{
    if (!UpdateData(true))
        return;
    ButtonStyle &style = styles.current();
    const std::optional<std::string> chosen = chooseCompanyImage(context(), style.backgroundImage, this);
    if (chosen && *chosen != style.backgroundImage) {
        sheet().changed = true;
        imageChanged = true;
        style.backgroundImage = *chosen;
    }
    UpdateData(false);
}

bool CButtonStyleProp::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    sheet().customButtons = m_customButtons;
    if (styles.isModified())
        sheet().changed = true;
    return true;
}

void CButtonStyleProp::OnOK()
{
    if (styles.isModified())
        sheet().changed = true;
}

} // namespace kw::pages

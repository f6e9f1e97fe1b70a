#include "editors/CCountrySettingsDlg.h"

#include "editors/SectionHeader.h"
#include "platform/HelpLauncher.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace kw::editors {

namespace {

using portalsettings::CountrySymbols;

constexpr std::string_view kHelpTopic = "::/74_1.htm";
constexpr const char *kCaption = "Ländereinstellungen";
constexpr const char *kExplanation = "Hier können Sie festlegen, in welchem Format Datum und Zeit in Ihren \n"
                                     "Quorvel-Anwendungen erscheinen sollen.";
constexpr const char *kLegendTitle = "Legende";
constexpr const char *kLegend =
    "M = Monat,   D = Tag,   Y = Jahr,   h = Stunde,   m = Minute,   t = am oder pm";
constexpr const char *kDecimalLabel = "Dezimaltrennzeichen";
constexpr const char *kGroupingLabel = "Tausendermarkierung";

struct FormatButton {
    int id;
    const char *text;
};
// In the order of the format numbers.
constexpr std::array<FormatButton, 3> kFormatButtons = {{
    {res::IDC_FORMAT_US, " MM/ DD/ YYYY   hh:mm tt     ( z.B.   &11/30/2002  10:45 pm )"},
    {res::IDC_FORMAT_UK, " DD/ MM/ YYYY   hh:mm        ( z.B.   30/11/&2002  22:45 )"},
    {res::IDC_FORMAT_DE, " DD.MM.YYYY      hh:mm        ( z.B.   &30.11.2002  22:45 )"},
}};

struct SymbolEdit {
    int id;
    std::string CountrySymbols::*field;
    const char *accessibleName;
};
// In the order of the symbols; each section holds a decimal and a grouping edit.
constexpr std::array<SymbolEdit, 4> kSymbolEdits = {{
    {res::IDC_DECIMAL, &CountrySymbols::decimal, "Dezimaltrennzeichen für Zahlen"},
    {res::IDC_GROUPING, &CountrySymbols::grouping, "Tausendermarkierung für Zahlen"},
    {res::IDC_MONETARY_DECIMAL, &CountrySymbols::monetaryDecimal, "Dezimaltrennzeichen für Währung"},
    {res::IDC_MONETARY_GROUPING, &CountrySymbols::monetaryGrouping, "Tausendermarkierung für Währung"},
}};

struct Section {
    int headerId;
    const char *caption;
};
constexpr Section kDateSection = {res::IDC_HEADER_DATE, "Datum und Uhrzeit"};
// The number and currency sections, each with two edits of kSymbolEdits.
constexpr std::array<Section, 2> kSymbolSections = {{
    {res::IDC_HEADER_NUMBERS, " Zahlen"},
    {res::IDC_HEADER_CURRENCY, " Währung"},
}};

SectionHeader *header(const Section &section, QWidget *parent)
{
    auto *caption = new SectionHeader(QString::fromUtf8(section.caption), parent);
    caption->setObjectName(QString::number(section.headerId));
    return caption;
}

} // namespace

CCountrySettingsDlg::CCountrySettingsDlg(server::Environment env, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_settings(std::move(env), prompter)
{
    setObjectName(QString::number(res::IDD_COUNTRY_SETTINGS));
    buildControls();
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { platform::showHelpTopic(kHelpTopic); });
    // What reading left in the core's control values (after a read error: the first format and empty
    // symbols, as the controls start) goes into the widgets.
    m_settings.read();
    showValues();
}

void CCountrySettingsDlg::buildControls()
{
    setWindowTitle(QString::fromUtf8(kCaption));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(kExplanation), this));
    layout->addSpacing(4);

    layout->addWidget(header(kDateSection, this));
    for (std::size_t i = 0; i < kFormatButtons.size(); ++i) {
        auto *button = new QRadioButton(QString::fromUtf8(kFormatButtons[i].text), this);
        button->setObjectName(QString::number(kFormatButtons[i].id));
        // A click, also on the button already chosen, is a change.
        connect(button, &QRadioButton::clicked, this, [this] {
            takeValues();
            m_settings.formatClicked();
        });
        layout->addWidget(button);
        m_formats[i] = button;
    }
    auto *legend = new QGroupBox(QString::fromUtf8(kLegendTitle), this);
    auto *legendLayout = new QVBoxLayout(legend);
    legendLayout->addWidget(new QLabel(QString::fromUtf8(kLegend), legend));
    layout->addWidget(legend);

    for (std::size_t section = 0; section < kSymbolSections.size(); ++section) {
        layout->addSpacing(8);
        layout->addWidget(header(kSymbolSections[section], this));
        auto *row = new QGridLayout;
        row->setContentsMargins(12, 0, 0, 0);
        for (std::size_t k = 0; k < 2; ++k) {
            const std::size_t index = section * 2 + k;
            const SymbolEdit &symbol = kSymbolEdits[index];
            auto *edit = new QLineEdit(this);
            edit->setObjectName(QString::number(symbol.id));
            edit->setAccessibleName(QString::fromUtf8(symbol.accessibleName));
            edit->setMaxLength(1);
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("MMM")) + 12);
            auto *label = new QLabel(QString::fromUtf8(k == 0 ? kDecimalLabel : kGroupingLabel), this);
            label->setBuddy(edit);
            const int column = static_cast<int>(k) * 3;
            row->addWidget(label, 0, column);
            row->addWidget(edit, 0, column + 1);
            m_symbols[index] = edit;
        }
        row->setColumnMinimumWidth(2, 24);
        row->setColumnStretch(5, 1);
        layout->addLayout(row);
    }
    layout->addStretch();
    layout->addSpacing(12);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CCountrySettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CCountrySettingsDlg::showValues()
{
    const portalsettings::CountryValues &values = m_settings.controls;
    for (std::size_t i = 0; i < m_formats.size(); ++i)
        m_formats[i]->setChecked(static_cast<int>(i) == values.format);
    for (std::size_t i = 0; i < kSymbolEdits.size(); ++i)
        m_symbols[i]->setText(QString::fromStdString(values.symbols.*kSymbolEdits[i].field));
}

void CCountrySettingsDlg::takeValues()
{
    portalsettings::CountryValues &values = m_settings.controls;
    for (std::size_t i = 0; i < m_formats.size(); ++i)
        if (m_formats[i]->isChecked())
            values.format = static_cast<int>(i);
    for (std::size_t i = 0; i < kSymbolEdits.size(); ++i)
        values.symbols.*kSymbolEdits[i].field = m_symbols[i]->text().toStdString();
}

void CCountrySettingsDlg::accept()
{
    takeValues();
    if (!m_settings.accept())
        return;
    QDialog::accept();
    m_settings.write();
}

} // namespace kw::editors

#include "pages/CTreeMenu.h"

#include "controls/CKwNiceStatic.h"
#include "pages/CWebPagePropSheet.h"
#include "pages/FontGroupControls.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kw::pages {

using namespace tree;

namespace {

/// The pictures in the order of `TreeMenuValues::images`.
const ImageFieldSpec kTreeImages[] = {
    {CollapseImage, ChangeCollapseImage, "Blätter s&chliessen", "Än&dern..."},
    {OpenLeafImage, ChangeOpenLeafImage, "Geö&ffnentes Blatt", "Än&dern..."},
    {ClosedLeafImage, ChangeClosedLeafImage, "G&eschlossenes Blatt", "Än&dern..."},
    {LoginButtonImage, ChangeLoginButtonImage, "A&nmelde Knopf", "Än&dern..."},
};

} // namespace

CTreeMenu::CTreeMenu() : CPropertyPage(PageSlot::TreeMenu) {}

CTreeMenu::~CTreeMenu() = default;

void CTreeMenu::OnInitDialog()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(makeHeader(" Baumansicht Bilder", Header, this), 0, 0, 1, 4);
    for (std::size_t i = 0; i < m_images.size(); ++i) {
        ImageField &field = m_images[i];
        field.build(kTreeImages[i], *grid, static_cast<int>(i) + 1, 0, this);
        field.edit->setText(QString::fromStdString(values.images[i]));
        connect(field.change, &QPushButton::clicked, this, [this, i] {
            if (chooseImageInto(context(), values.images[i], sheet().changed, imageChanged, this))
                m_images[i].edit->setText(QString::fromStdString(values.images[i]));
        });
    }
    grid->setRowStretch(static_cast<int>(m_images.size()) + 1, 1);
    grid->setColumnStretch(2, 1);
}

} // namespace kw::pages

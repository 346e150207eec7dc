#include "inertiawin/frmsetdefaultunits.h"

#include "core/stringtable.h"
#include "core/tags.h"
#include "widgets/artwork.h"
#include "widgets/chrome.h"
#include "widgets/controlsetup.h"
#include "widgets/localiseform.h"
#include "widgets/unitcombos.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int FormOffset = 1300;

QString designedCaption(int offset)
{
    return StringById(FormOffset + offset).value_or(QString());
}

// The four lists, in the order of their captions (Label1 items 0 to 3).
struct UnitListEntry
{
    const char *name;
    const char *unitType;
};
constexpr UnitListEntry UnitLists[] = {
    {"cmbDefaultMassUnits", "Mass"},
    {"cmbDefaultDensityUnits", "Density"},
    {"cmbDefaultLDUnits", "Linear distance"},
    {"cmbDefaultInertiaUnits", "Inertia"},
};

} // namespace

frmSetDefaultUnits::frmSetDefaultUnits(WindowContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmSetDefaultUnits"));
    KeepWindowPlace(context.settings(), this);
    AddHelpKey(context, this, QStringLiteral("inertia.html#defaults"));
    SetTag(this, QStringLiteral("FormOffset=%1;").arg(FormOffset));
    setWindowTitle(StringById(FormOffset).value_or(QStringLiteral("Set default units")));
    setWindowIcon(ProgramIcon());
    setModal(true);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    QLabel *captions[std::size(UnitLists)];
    QComboBox *lists[std::size(UnitLists)];
    for (int i = 0; i < int(std::size(UnitLists)); ++i) {
        captions[i] = new QLabel(designedCaption(i + 1), this);
        captions[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        captions[i]->setProperty("index", i);
        SetTag(captions[i], QStringLiteral("Offset=%1;").arg(i + 1));
        lists[i] = new UnitList(15, this);
        lists[i]->setObjectName(QString::fromLatin1(UnitLists[i].name));
        SetTag(lists[i], QStringLiteral("UnitType=%1;").arg(QString::fromLatin1(UnitLists[i].unitType)));
        captions[i]->setBuddy(lists[i]);
        grid->addWidget(captions[i], i, 0);
        grid->addWidget(lists[i], i, 1);
    }
    m_cmbDefaultMassUnits = lists[0];
    m_cmbDefaultDensityUnits = lists[1];
    m_cmbDefaultLDUnits = lists[2];
    m_cmbDefaultInertiaUnits = lists[3];

    m_cmdSave = new QPushButton(designedCaption(5), this);
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    SetTag(m_cmdSave, QStringLiteral("Offset=5;"));
    m_cmdSave->setDefault(true);
    m_cmdCancel = new QPushButton(designedCaption(6), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    SetTag(m_cmdCancel, QStringLiteral("Offset=6;"));
    connect(m_cmdSave, &QAbstractButton::clicked, this, &frmSetDefaultUnits::save);
    connect(m_cmdCancel, &QAbstractButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdCancel);
    auto *root = new QVBoxLayout(this);
    root->addLayout(grid);
    root->addSpacing(8);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);

    // Load: captions, then the lists, each on its type's default unit (the
    // stored one, else the built-in one, else the first it offers).
    LocaliseForm(this, m_context.languageOffset());
    for (int i = 0; i < int(std::size(UnitLists)); ++i)
        lists[i]->setAccessibleName(SpokenCaption(captions[i]->text()) + QStringLiteral(" unit"));
    m_cmdSave->setAccessibleName(SpokenCaption(m_cmdSave->text()));
    m_cmdCancel->setAccessibleName(SpokenCaption(m_cmdCancel->text()));
    FillUnitCombos(m_context.units(), this);
    ApplyDefaultUnits(m_context.settings(), this);
}

void frmSetDefaultUnits::save()
{
    SaveDefaultUnits(m_context.settings(), this);
    hide();
    accept();
}

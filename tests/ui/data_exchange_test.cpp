#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

#include "modal_script.h"
#include "ui/data_exchange.h"
#include "ui/dialog.h"

using namespace velmar;
using velmar::test::ModalScript;

namespace {

enum { kEditA = 10, kEditB = 11, kCheck = 12, kCombo = 13, kSlider = 14, kButton = 15 };

// A dialog whose members are exchanged with one control of each kind.
class Form : public ui::Dialog {
public:
    Form()
    {
        registerControl(kEditA, new QLineEdit(this));
        registerControl(kEditB, new QLineEdit(this));
        registerControl(kCheck, new QCheckBox(this));
        auto* combo = new QComboBox(this);
        combo->addItems({"a", "b", "c"});
        registerControl(kCombo, combo);
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(-5, 5);
        registerControl(kSlider, slider);
        registerControl(kButton, new QPushButton(this));
        onCommand(kEditA, ui::Notify::EditChange, [this] { ++changes; });
    }
    void doDataExchange(ui::DataExchange& dx) override
    {
        ui::ddxText(dx, kEditA, a);
        ui::ddxText(dx, kEditB, b);
        ui::ddxCheck(dx, kCheck, check);
        ui::ddxCBIndex(dx, kCombo, combo);
        ui::ddxSlider(dx, kSlider, slider);
    }
    QLineEdit* edit(int id) { return controlAs<QLineEdit>(id); }

    double a = -63.5;
    std::string b = "name";
    int check = 1;
    int combo = 2;
    int slider = 3;
    int changes = 0;
};

}  // namespace

TEST(DataExchange, DoublesShowInTheirShortestForm)
{
    EXPECT_EQ(ui::formatDouble(-63.5), "-63.5");
    EXPECT_EQ(ui::formatDouble(0.0), "0");
    EXPECT_EQ(ui::formatDouble(12.0), "12");
    EXPECT_EQ(ui::formatDouble(0.1), "0.1");
    double v = 0;
    EXPECT_TRUE(ui::parseDouble(" 3.3 ", v));
    EXPECT_DOUBLE_EQ(v, 3.3);
    for (const char* bad : {"", "-", "abc", "1x", "1 2"})
        EXPECT_FALSE(ui::parseDouble(bad, v)) << bad;
}

TEST(DataExchange, LoadsAndTakesBackEveryKindOfControl)
{
    Form f;
    ASSERT_TRUE(f.updateData(false));
    EXPECT_EQ(f.edit(kEditA)->text(), "-63.5");
    EXPECT_EQ(f.edit(kEditB)->text(), "name");
    EXPECT_EQ(f.controlAs<QComboBox>(kCombo)->currentIndex(), 2);
    EXPECT_EQ(f.controlAs<QSlider>(kSlider)->value(), 3);
    // Loading a value into an edit is not the user typing.
    EXPECT_EQ(f.changes, 0);

    f.edit(kEditA)->setText("7");
    f.edit(kEditB)->setText("other");
    f.controlAs<QCheckBox>(kCheck)->setChecked(false);
    f.controlAs<QComboBox>(kCombo)->setCurrentIndex(0);
    f.controlAs<QSlider>(kSlider)->setValue(-9);  // clamped by the trackbar
    ASSERT_TRUE(f.updateData(true));
    EXPECT_EQ(f.a, 7.0);
    EXPECT_EQ(f.b, "other");
    EXPECT_EQ(f.check, 0);
    EXPECT_EQ(f.combo, 0);
    EXPECT_EQ(f.slider, -5);
}

TEST(DataExchange, TextBytesShowAsLatin1AndComeBackAsTheyWereUnlessEdited)
{
    Form f;
    for (const std::string& bytes : {std::string("AB\xE9"
                                                 "CD"),
                                     std::string("\x80\xFF\x7F\x01")}) {
        f.b = bytes;
        ASSERT_TRUE(f.updateData(false));
        EXPECT_EQ(f.edit(kEditB)->text(), QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
        ASSERT_TRUE(f.updateData(true));
        EXPECT_EQ(f.b, bytes);
    }
    f.edit(kEditB)->setText(QStringLiteral("Z\u00e9"));
    ASSERT_TRUE(f.updateData(true));
    EXPECT_EQ(f.b, "Z\xE9");
}

TEST(DataExchange, TextThatIsNoNumberStopsTheExchangeWithAMessage)
{
    ModalScript script;
    Form f;
    f.updateData(false);
    f.edit(kEditA)->setText("abc");
    f.edit(kEditB)->setText("changed");
    EXPECT_FALSE(f.updateData(true));
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, ui::kEnterNumberText);
    EXPECT_EQ(f.a, -63.5);
    EXPECT_EQ(f.b, "name");  // exchanged after the refused value: untouched
}

TEST(DataExchange, UserEditsNotifyTheOwnerButNotWhileExchanging)
{
    Form f;
    QLineEdit* edit = f.edit(kEditA);
    edit->setFocus();
    edit->insert("1");  // as typing does
    EXPECT_EQ(f.changes, 1);
    f.notify(kEditA, ui::Notify::EditChange);
    EXPECT_EQ(f.changes, 2);
}

TEST(ControlHost, ShowAndEnableControlsSkipUnknownIds)
{
    Form f;
    f.show();
    f.showControls(false, {kButton, kCheck, 999});
    EXPECT_FALSE(f.control(kButton)->isVisible());
    EXPECT_FALSE(f.control(kButton)->isEnabled());
    f.showControls(true, {kButton});
    EXPECT_TRUE(f.control(kButton)->isVisible());
    EXPECT_TRUE(f.control(kButton)->isEnabled());
    f.enableControls(false, std::vector<int>{kCheck, 12345});
    EXPECT_FALSE(f.control(kCheck)->isEnabled());
    EXPECT_FALSE(f.control(kCheck)->isVisible());  // hidden above; enabling does not show it
    EXPECT_EQ(f.control(999), nullptr);
}

TEST(FileDialogs, FilterPairsBecomeNameFilters)
{
    EXPECT_EQ(ui::nameFiltersOf("Settings Editor Files(*.q20)|*.q20||"), QStringList{"Settings Editor Files(*.q20)"});
    EXPECT_EQ(ui::nameFiltersOf("Text|*.txt|All|*||"), (QStringList{"Text (*.txt)", "All (*)"}));
}

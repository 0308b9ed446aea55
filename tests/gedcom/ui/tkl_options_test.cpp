#include "app/app_state.h"
#include "gedcom/ui/tkl_options.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace kinloom;

class TklOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAndTheirTexts();
    void switchesReadAtCreationAndWrittenOnClose();
    void charsetListAndChange();
    void treeFontSampleAndChange();
};

void TklOptionsTest::controlsAndTheirTexts() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    Tkl_options dlg(state);
    QCOMPARE(dlg.windowTitle(), QString("Environment Options"));
    QCOMPARE(dlg.PageControl1->count(), 2);
    QCOMPARE(dlg.PageControl1->tabText(0), QString("Fonts"));
    QCOMPARE(dlg.PageControl1->tabText(1), QString("Program"));
    QCOMPARE(dlg.Button3->text(), QString("Change"));
    QCOMPARE(dlg.Button1->text(), QString("Close"));
    QVERIFY(dlg.Button1->isDefault());
    QCOMPARE(dlg.CheckBox1->text(), QString("Autoformat dates according to GEDCOM standard"));
    QCOMPARE(dlg.CheckBox2->text(), QString("Show name tips"));
    QCOMPARE(dlg.CheckBox3->text(), QString("Auto quality check on open"));
    QCOMPARE(dlg.CheckBox4->text(), QString("Auto quality check on save"));
    QCOMPARE(dlg.ComboBox2->maxVisibleItems(), 20);
    dlg.PageControl1->setCurrentIndex(1);
    dlg.show();
    QCOMPARE(dlg.PageControl1->currentIndex(), 0);  // "Fonts" comes first on every show
    dlg.close();
}

void TklOptionsTest::switchesReadAtCreationAndWrittenOnClose() {
    MemoryRegistry registry;
    registry.WriteString(kSettingsKey, "Date_Standardization", "yes");  // not "Yes": off
    registry.WriteString(kSettingsKey, "quality_check_on_save", "Yes");
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    Tkl_options dlg(state);
    QVERIFY(!dlg.CheckBox1->isChecked());
    QVERIFY(dlg.CheckBox2->isChecked());
    QVERIFY(!dlg.CheckBox3->isChecked());
    QVERIFY(dlg.CheckBox4->isChecked());
    QVERIFY(state.Options.QualityCheckOnSave);  // known before any tree is opened

    // Closing unchanged still writes all four.
    dlg.show();
    QTest::mouseClick(dlg.Button1, Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(registry.ReadString(kSettingsKey, "Date_Standardization", ""), QString("No"));
    QCOMPARE(registry.ReadString(kSettingsKey, "Show_Name_Hints", ""), QString("Yes"));
    QCOMPARE(registry.ReadString(kSettingsKey, "quality_check_on_open", ""), QString("No"));
    QCOMPARE(registry.ReadString(kSettingsKey, "quality_check_on_save", ""), QString("Yes"));

    dlg.show();
    dlg.CheckBox3->setChecked(true);
    dlg.CheckBox2->setChecked(false);
    QTest::keyClick(&dlg, Qt::Key_Escape);  // Escape closes too, and writes too
    QVERIFY(!dlg.isVisible());
    QVERIFY(state.Options.QualityCheckOnOpen);
    QVERIFY(!state.Options.ShowNameHints);
    QCOMPARE(registry.ReadString(kSettingsKey, "quality_check_on_open", ""), QString("Yes"));

    AppState next(registry, prompts);  // a restart reads them back
    Tkl_options again(next);
    QVERIFY(again.CheckBox3->isChecked());
    QVERIFY(!again.CheckBox2->isChecked());
}

void TklOptionsTest::charsetListAndChange() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    int changes = 0;
    state.hooks.CharsetChanged = [&] { ++changes; };
    Tkl_options dlg(state);
    QCOMPARE(dlg.ComboBox2->count(), 19);
    QCOMPARE(dlg.ComboBox2->itemText(0), QString("ANSI"));
    QCOMPARE(dlg.ComboBox2->itemText(1), QString("Arabic characters "));
    QCOMPARE(dlg.ComboBox2->itemText(8), QString("Korean characters (Jahob) "));
    QCOMPARE(dlg.ComboBox2->itemText(14), QString("System Default"));
    QCOMPARE(dlg.ComboBox2->itemText(18), QString("Vietnamese characters "));

    dlg.Change_charset(15);
    QCOMPARE(dlg.ComboBox2->currentIndex(), 14);
    dlg.Change_charset(42);  // outside the list: no entry, character set 0
    QCOMPARE(dlg.ComboBox2->currentIndex(), -1);
    QCOMPARE(state.ScreenCharset, 42);
    QCOMPARE(DisplayCharset::FontCharsetOf(state.ScreenCharset), 0);

    // Choosing in the list applies the entry by its position.
    dlg.show();
    dlg.ComboBox2->setFocus();
    dlg.ComboBox2->setCurrentIndex(0);
    QTest::keyClick(dlg.ComboBox2, Qt::Key_Down);  // an activation, as the user makes it
    QTRY_COMPARE(state.ScreenCharset, 2);
    QCOMPARE(state.Charset.decode("\xC7"), QString::fromUtf8("ا"));
    QCOMPARE(changes, 3);
}

void TklOptionsTest::treeFontSampleAndChange() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    Tkl_options dlg(state);
    connect(&dlg, &Tkl_options::treeFontRequested, [&] { ChooseTreeFont(state); });
    dlg.show();
    QCOMPARE(dlg.Label1->text(), QString("Times New Roman (16)"));
    QCOMPARE(dlg.Label1->toolTip(), QString("Times New Roman (16)"));
    QCOMPARE(dlg.Label1->font().pixelSize(), 16);

    QFont chosen("DejaVu Sans");
    chosen.setPointSize(12);
    prompts.AnswerFont(chosen);
    QTest::mouseClick(dlg.Button3, Qt::LeftButton);
    QCOMPARE(prompts.records().back().kind, QString("font"));
    QCOMPARE(state.ScreenFontName, QString("DejaVu Sans"));
    QCOMPARE(state.ScreenFontSize, 12);
    QCOMPARE(dlg.Label1->text(), QString("DejaVu Sans (12)"));
    dlg.close();
}

QTEST_MAIN(TklOptionsTest)
#include "tkl_options_test.moc"

#include "app/app_state.h"
#include "app/ui/options_dialog.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace kinloom;

class OptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAndTheirTexts();
    void switchesReadAtCreationAndWrittenOnClose();
    void charsetListAndChange();
    void treeFontSampleAndChange();
};

void OptionsDialogTest::controlsAndTheirTexts() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    OptionsDialog dlg(state);
    QCOMPARE(dlg.windowTitle(), QString("Environment Options"));
    QCOMPARE(dlg.pageControl1->count(), 2);
    QCOMPARE(dlg.pageControl1->tabText(0), QString("Fonts"));
    QCOMPARE(dlg.pageControl1->tabText(1), QString("Program"));
    QCOMPARE(dlg.button3->text(), QString("Change"));
    QCOMPARE(dlg.button1->text(), QString("Close"));
    QVERIFY(dlg.button1->isDefault());
    QCOMPARE(dlg.checkBox1->text(), QString("Autoformat dates according to GEDCOM standard"));
    QCOMPARE(dlg.checkBox2->text(), QString("Show name tips"));
    QCOMPARE(dlg.checkBox3->text(), QString("Auto quality check on open"));
    QCOMPARE(dlg.checkBox4->text(), QString("Auto quality check on save"));
    QCOMPARE(dlg.comboBox2->maxVisibleItems(), 20);
    dlg.pageControl1->setCurrentIndex(1);
    dlg.show();
    QCOMPARE(dlg.pageControl1->currentIndex(), 0);  // "Fonts" comes first on every show
    dlg.close();
}

void OptionsDialogTest::switchesReadAtCreationAndWrittenOnClose() {
    MemoryRegistry registry;
    registry.writeString(kSettingsKey, "Date_Standardization", "yes");  // not "Yes": off
    registry.writeString(kSettingsKey, "quality_check_on_save", "Yes");
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    OptionsDialog dlg(state);
    QVERIFY(!dlg.checkBox1->isChecked());
    QVERIFY(dlg.checkBox2->isChecked());
    QVERIFY(!dlg.checkBox3->isChecked());
    QVERIFY(dlg.checkBox4->isChecked());
    QVERIFY(state.options.qualityCheckOnSave);  // known before any tree is opened

    // Closing unchanged still writes all four.
    dlg.show();
    QTest::mouseClick(dlg.button1, Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(registry.readString(kSettingsKey, "Date_Standardization", ""), QString("No"));
    QCOMPARE(registry.readString(kSettingsKey, "Show_Name_Hints", ""), QString("Yes"));
    QCOMPARE(registry.readString(kSettingsKey, "quality_check_on_open", ""), QString("No"));
    QCOMPARE(registry.readString(kSettingsKey, "quality_check_on_save", ""), QString("Yes"));

    dlg.show();
    dlg.checkBox3->setChecked(true);
    dlg.checkBox2->setChecked(false);
    QTest::keyClick(&dlg, Qt::Key_Escape);  // Escape closes too, and writes too
    QVERIFY(!dlg.isVisible());
    QVERIFY(state.options.qualityCheckOnOpen);
    QVERIFY(!state.options.showNameHints);
    QCOMPARE(registry.readString(kSettingsKey, "quality_check_on_open", ""), QString("Yes"));

    AppState next(registry, prompts);  // a restart reads them back
    OptionsDialog again(next);
    QVERIFY(again.checkBox3->isChecked());
    QVERIFY(!again.checkBox2->isChecked());
}

void OptionsDialogTest::charsetListAndChange() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    int changes = 0;
    state.hooks.charsetChanged = [&] { ++changes; };
    OptionsDialog dlg(state);
    QCOMPARE(dlg.comboBox2->count(), 19);
    QCOMPARE(dlg.comboBox2->itemText(0), QString("ANSI"));
    QCOMPARE(dlg.comboBox2->itemText(1), QString("Arabic characters "));
    QCOMPARE(dlg.comboBox2->itemText(8), QString("Korean characters (Jahob) "));
    QCOMPARE(dlg.comboBox2->itemText(14), QString("System Default"));
    QCOMPARE(dlg.comboBox2->itemText(18), QString("Vietnamese characters "));

    dlg.changeCharset(15);
    QCOMPARE(dlg.comboBox2->currentIndex(), 14);
    dlg.changeCharset(42);  // outside the list: no entry, character set 0
    QCOMPARE(dlg.comboBox2->currentIndex(), -1);
    QCOMPARE(state.screenCharset, 42);
    QCOMPARE(DisplayCharset::fontCharsetOf(state.screenCharset), 0);

    // Choosing in the list applies the entry by its position.
    dlg.show();
    dlg.comboBox2->setFocus();
    dlg.comboBox2->setCurrentIndex(0);
    QTest::keyClick(dlg.comboBox2, Qt::Key_Down);  // an activation, as the user makes it
    QTRY_COMPARE(state.screenCharset, 2);
    QCOMPARE(state.charset.decode("\xC7"), QString::fromUtf8("ا"));
    QCOMPARE(changes, 3);
}

void OptionsDialogTest::treeFontSampleAndChange() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    OptionsDialog dlg(state);
    connect(&dlg, &OptionsDialog::treeFontRequested, [&] { chooseTreeFont(state); });
    dlg.show();
    QCOMPARE(dlg.label1->text(), QString("Times New Roman (16)"));
    QCOMPARE(dlg.label1->toolTip(), QString("Times New Roman (16)"));
    QCOMPARE(dlg.label1->font().pixelSize(), 16);

    QFont chosen("DejaVu Sans");
    chosen.setPointSize(12);
    prompts.answerFont(chosen);
    QTest::mouseClick(dlg.button3, Qt::LeftButton);
    QCOMPARE(prompts.records().back().kind, QString("font"));
    QCOMPARE(state.screenFontName, QString("DejaVu Sans"));
    QCOMPARE(state.screenFontSize, 12);
    QCOMPARE(dlg.label1->text(), QString("DejaVu Sans (12)"));
    dlg.close();
}

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"

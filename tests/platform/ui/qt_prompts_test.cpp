#include "platform/ui/qt_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kinloom;

class QtPromptsTest : public QObject {
    Q_OBJECT
private slots:
    void filtersBecomeQtNameFilters();
    void messageBoxesHaveTheAskedButtonsAndIcon();
    void saveDialogAddsTheDefaultExtension();
};

void QtPromptsTest::filtersBecomeQtNameFilters() {
    QCOMPARE(qtNameFilters("Kinloom files (*.kl3)|*.kl3"), QStringList({"Kinloom files (*.kl3)"}));
    QCOMPARE(qtNameFilters("GEDCOM|*.ged|Text files|*.txt;*.asc"),
             QStringList({"GEDCOM (*.ged)", "Text files (*.txt *.asc)"}));
    QVERIFY(qtNameFilters("").isEmpty());
}

void QtPromptsTest::messageBoxesHaveTheAskedButtonsAndIcon() {
    QtPrompts prompts;
    struct Seen {
        QString title, text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    } seen;
    auto answer = [&seen](QMessageBox::StandardButton press) {
        QTimer::singleShot(0, [&seen, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = {box->windowTitle(), box->text(), box->standardButtons(), box->icon()};
            box->button(press)->click();
        });
    };
    answer(QMessageBox::Cancel);
    QCOMPARE(prompts.message("Kinloom 2.0", "Save changes to your Kinloom file?", PromptButtons::YesNoCancel,
                             PromptIcon::Question),
             PromptAnswer::Cancel);
    QCOMPARE(seen.title, QString("Kinloom 2.0"));
    QCOMPARE(seen.text, QString("Save changes to your Kinloom file?"));
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(seen.icon, QMessageBox::Question);

    answer(QMessageBox::Ignore);
    QCOMPARE(prompts.message("Warning", "x", PromptButtons::OkIgnore, PromptIcon::Warning), PromptAnswer::Ignore);
    QCOMPARE(seen.buttons, QMessageBox::Ok | QMessageBox::Ignore);
    QCOMPARE(seen.icon, QMessageBox::Warning);

    answer(QMessageBox::Yes);
    QCOMPARE(prompts.message("Error", "y", PromptButtons::YesNo, PromptIcon::Error), PromptAnswer::Yes);
    QCOMPARE(seen.icon, QMessageBox::Critical);

    answer(QMessageBox::Ok);
    QCOMPARE(prompts.message("Kinloom 2.0", "z", PromptButtons::Ok, PromptIcon::Information), PromptAnswer::Ok);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void QtPromptsTest::saveDialogAddsTheDefaultExtension() {
    QTemporaryDir dir;
    QtPrompts prompts;
    QStringList filters;
    QString suffix;
    bool confirmsOverwrite = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(dir.filePath("family"));
        static_cast<QDialog*>(dialog)->accept();
    });
    FileDialogRequest request;
    request.title = "Save";
    request.filter = "Kinloom files (*.kl3)|*.kl3";
    request.defaultExtension = "kl3";
    request.promptOverwrite = true;
    request.directory = dir.path();
    const std::optional<QString> chosen = prompts.saveFileName(request);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, dir.filePath("family.kl3"));
    QCOMPARE(filters, QStringList({"Kinloom files (*.kl3)"}));
    QCOMPARE(suffix, QString("kl3"));
    QVERIFY(confirmsOverwrite);
}

QTEST_MAIN(QtPromptsTest)
#include "qt_prompts_test.moc"

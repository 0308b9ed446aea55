#include "layout/ui/create_tree_dialog.h"

#include "document/item_store.h"
#include "layout/ui/layout_commands.h"
#include "platform/scripted_prompts.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <vector>

using namespace kinloom;

// Plays one step each time the dialog comes up: type a number and press a button.
class DialogPlayer : public QObject {
public:
    DialogPlayer(TCreateTreeDlg& dialog, std::vector<std::function<void(TCreateTreeDlg&)>> steps)
        : dialog_(dialog), steps_(std::move(steps)) {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (!dialog_.isVisible() || next_ >= steps_.size()) return;
            steps_[next_++](dialog_);
        });
        timer_.start();
    }
    size_t played() const { return next_; }

private:
    TCreateTreeDlg& dialog_;
    std::vector<std::function<void(TCreateTreeDlg&)>> steps_;
    size_t next_ = 0;
    QTimer timer_;
};

std::function<void(TCreateTreeDlg&)> Type(const QString& digit, bool ok = true) {
    return [digit, ok](TCreateTreeDlg& d) {
        QCOMPARE(d.Result, false);  // cleared each time the dialog is shown
        QVERIFY(QApplication::overrideCursor() == nullptr);  // no hourglass over the dialog
        d.Edit1->selectAll();
        QTest::keyClicks(d.Edit1, digit);
        QTest::mouseClick(ok ? d.OKBtn : d.CancelBtn, Qt::LeftButton);
    };
}

class CreateTreeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void looksAsItShould() {
        TCreateTreeDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Create Tree"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Number of generations:"));
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("5"));
        QCOMPARE(dialog.Edit1->minimum(), 0);
        QCOMPARE(dialog.OKBtn->text(), QStringLiteral("OK"));
        QVERIFY(dialog.OKBtn->isDefault());
        QCOMPARE(dialog.CancelBtn->text(), QStringLiteral("Cancel"));
    }

    void refusedNumbersShowTheDialogAgain() {
        TItemStore store;
        TPersonItem* root = store.LagNyPerson();
        root->X = 200;
        root->Y = 900;
        store.Modified = false;
        ScriptedPrompts prompts;
        TCreateTreeDlg dialog;
        DialogPlayer player(dialog, {Type("1"), Type("8"), Type("3")});
        QVERIFY(RunCreateTree(store, TreeStyle::Fractal, dialog, prompts));
        QCOMPARE(player.played(), size_t{3});
        QCOMPARE(prompts.records().size(), size_t{2});
        QCOMPARE(prompts.records()[0].caption, QStringLiteral("PSST"));
        QCOMPARE(prompts.records()[0].text, QStringLiteral("Minimum 2 generations!"));
        QCOMPARE(prompts.records()[1].caption, QStringLiteral("PSST"));
        QCOMPARE(prompts.records()[1].text, QStringLiteral("Maximum 7 generations per tree, please."));
        QCOMPARE(store.ItemCount(), 7);
        QVERIFY(root->Father && root->Mother);
        QCOMPARE(root->Father->X, 200 - 150);  // W = 600: the parents at -W/4 and +W/4
        QCOMPARE(root->Mother->X, 200 + 150);
        QCOMPARE(root->Father->Y, 900 - 325);  // 65 x 9 - 65 x 4
        QVERIFY(store.Modified);
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("3"));  // kept for the next time
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void cancelAddsNothingButMarksModified() {
        TItemStore store;
        store.CurrentItem = store.LagNyPerson();
        store.Modified = false;
        ScriptedPrompts prompts;
        TCreateTreeDlg dialog;
        DialogPlayer player(dialog, {Type("4", false)});
        QVERIFY(RunCreateTree(store, TreeStyle::Compact, dialog, prompts));
        QCOMPARE(player.played(), size_t{1});
        QCOMPARE(store.ItemCount(), 1);
        QVERIFY(store.Modified);
        QVERIFY(prompts.records().empty());
    }

    void autoArrangeAsksAndRestoresTheCursor() {
        TItemStore store;
        TPersonItem* only = store.LagNyPerson();
        only->X = 40;
        ScriptedPrompts prompts;
        ViewState view;
        prompts.AnswerButton(PromptAnswer::Yes);
        QVERIFY(RunAutoArrange(store, view, {600, 400}, prompts));
        QCOMPARE(only->X, 200);
        QCOMPARE(view.OffsetX, 300 - 200 - 70);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(CreateTreeDialogTest)
#include "create_tree_dialog_test.moc"

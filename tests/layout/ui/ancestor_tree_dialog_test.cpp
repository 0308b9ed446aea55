#include "layout/ui/ancestor_tree_dialog.h"

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
    DialogPlayer(AncestorTreeDialog& dialog, std::vector<std::function<void(AncestorTreeDialog&)>> steps)
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
    AncestorTreeDialog& dialog_;
    std::vector<std::function<void(AncestorTreeDialog&)>> steps_;
    size_t next_ = 0;
    QTimer timer_;
};

std::function<void(AncestorTreeDialog&)> type(const QString& digit, bool ok = true) {
    return [digit, ok](AncestorTreeDialog& d) {
        QCOMPARE(d.result, false);  // cleared each time the dialog is shown
        QVERIFY(QApplication::overrideCursor() == nullptr);  // no hourglass over the dialog
        d.generationsBox->selectAll();
        QTest::keyClicks(d.generationsBox, digit);
        QTest::mouseClick(ok ? d.okButton : d.cancelButton, Qt::LeftButton);
    };
}

class CreateTreeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void looksAsItShould() {
        AncestorTreeDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Create Tree"));
        QCOMPARE(dialog.generationsLabel->text(), QStringLiteral("Number of generations:"));
        QCOMPARE(dialog.generationsBox->text(), QStringLiteral("5"));
        QCOMPARE(dialog.generationsBox->minimum(), 0);
        QCOMPARE(dialog.okButton->text(), QStringLiteral("OK"));
        QVERIFY(dialog.okButton->isDefault());
        QCOMPARE(dialog.cancelButton->text(), QStringLiteral("Cancel"));
    }

    void refusedNumbersShowTheDialogAgain() {
        ItemStore store;
        PersonItem* root = store.createItem();
        root->X = 200;
        root->Y = 900;
        store.modified = false;
        ScriptedPrompts prompts;
        AncestorTreeDialog dialog;
        DialogPlayer player(dialog, {type("1"), type("8"), type("3")});
        QVERIFY(runCreateTree(store, TreeStyle::Fractal, dialog, prompts));
        QCOMPARE(player.played(), size_t{3});
        QCOMPARE(prompts.records().size(), size_t{2});
        QCOMPARE(prompts.records()[0].caption, QStringLiteral("PSST"));
        QCOMPARE(prompts.records()[0].text, QStringLiteral("Minimum 2 generations!"));
        QCOMPARE(prompts.records()[1].caption, QStringLiteral("PSST"));
        QCOMPARE(prompts.records()[1].text, QStringLiteral("Maximum 7 generations per tree, please."));
        QCOMPARE(store.itemCount(), 7);
        QVERIFY(root->Father && root->Mother);
        QCOMPARE(root->Father->X, 200 - 150);  // W = 600: the parents at -W/4 and +W/4
        QCOMPARE(root->Mother->X, 200 + 150);
        QCOMPARE(root->Father->Y, 900 - 325);  // 65 x 9 - 65 x 4
        QVERIFY(store.modified);
        QCOMPARE(dialog.generationsBox->text(), QStringLiteral("3"));  // kept for the next time
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void cancelAddsNothingButMarksModified() {
        ItemStore store;
        store.currentItem = store.createItem();
        store.modified = false;
        ScriptedPrompts prompts;
        AncestorTreeDialog dialog;
        DialogPlayer player(dialog, {type("4", false)});
        QVERIFY(runCreateTree(store, TreeStyle::Compact, dialog, prompts));
        QCOMPARE(player.played(), size_t{1});
        QCOMPARE(store.itemCount(), 1);
        QVERIFY(store.modified);
        QVERIFY(prompts.records().empty());
    }

    void autoArrangeAsksAndRestoresTheCursor() {
        ItemStore store;
        PersonItem* only = store.createItem();
        only->X = 40;
        ScriptedPrompts prompts;
        ViewState view;
        prompts.answerButton(PromptAnswer::Yes);
        QVERIFY(runAutoArrange(store, view, {600, 400}, prompts));
        QCOMPARE(only->X, 200);
        QCOMPARE(view.offsetX, 300 - 200 - 70);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(CreateTreeDialogTest)
#include "ancestor_tree_dialog_test.moc"

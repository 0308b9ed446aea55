#pragma once
#include "platform/charsets.h"
#include "reports/missing_information.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QListWidget;

namespace kinloom {

class ItemStore;
class Prompts;
struct PersonItem;

// Reports > Missing information: the persons who lack a birth date, a death date or a surname, to
// act on. Double-clicking a person shows it on the canvas and opens its person dialog; the list
// can be saved as text.
class MissingInformationWindow : public QWidget {
    Q_OBJECT
public:
    MissingInformationWindow(ItemStore& store, Prompts& prompts, QWidget* parent = nullptr);

    // Makes `person` the current item, shows it on the canvas and opens its person dialog.
    void setShowPerson(std::function<void(PersonItem*)> showPerson) { showPerson_ = std::move(showPerson); }

    // Fills the list for `field` (death dates as of `currentYear`) and shows the window.
    void showList(MissingField field, const DisplayCharset& charset, int currentYear);

    // Handlers, public for the window's controls and for tests.
    void personActivated(int row);  // a double-click on the row
    void saveAsText();              // "&Save as text..."

    QListWidget* list() const { return list_; }
    QLabel* countLabel() const { return count_; }

private:
    ItemStore& store_;
    Prompts& prompts_;
    std::function<void(PersonItem*)> showPerson_;
    std::vector<MissingRow> rows_;
    MissingField field_ = MissingField::BirthDate;
    DisplayCharset charset_;
    int currentYear_ = 0;
    QLabel* count_;
    QListWidget* list_;
};

}  // namespace kinloom

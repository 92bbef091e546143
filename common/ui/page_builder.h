#pragma once

// Pages and dialogs declared as data: rows of controls in captioned groups, which one builder
// turns into widgets, lays out and registers under their ids. Behaviour stays in the page.
#include <QString>
#include <QStringList>
#include <vector>

class QVBoxLayout;
class QWidget;

class QLabel;

namespace velmar::ui {

class ControlHost;

inline constexpr int kNoId = -1;

enum class Kind { Gap, Label, Button, Check, CaptionedCheck, Radio, DropList, Edit, NumberEdit, Slider };

// One cell of a row.
struct ControlSpec {
    Kind kind = Kind::Gap;
    int id = kNoId;
    QString text{};       // caption of a label, button, check box or radio
    QStringList items{};  // a drop list's items, in index order
    int low = 0;          // a trackbar's range
    int high = 0;
    int maxLength = 0;   // edits: characters at most (0: no limit)
    int radioGroup = 0;  // radios: the page's group number; each number is one exclusive group
    int span = 1;        // columns taken in the row
};
using RowSpec = std::vector<ControlSpec>;

// A box of rows: framed with its title when it has one (registered under id, so the title
// can change), a plain grid otherwise; placed in the page's grid of groups.
struct GroupSpec {
    int id = kNoId;
    QString title{};
    std::vector<RowSpec> rows{};
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
};

struct PageSpec {
    std::vector<GroupSpec> groups{};
};

ControlSpec gap(int span = 1);
ControlSpec label(QString text, int id = kNoId, int span = 1);
ControlSpec button(int id, QString text, int span = 1);
ControlSpec check(int id, QString text = {}, int span = 1);
// A check box whose caption stands on its left, in the caption column (two columns): the
// caption belongs to the box, so a click on it toggles the box, and it hides and greys with it.
ControlSpec captionedCheck(int id, QString caption);
ControlSpec radio(int id, QString text, int group);
ControlSpec dropList(int id, QStringList items, int span = 1);
ControlSpec edit(int id, int maxLength = 0);
ControlSpec numberEdit(int id, int maxLength);  // digits only
ControlSpec slider(int id, int low = 0, int high = 0, int span = 1);

// The row most pages repeat: a caption, a trackbar, its edit and the unit ("dB", "s").
// Give a label id to a caption or unit that is shown and hidden with the pair.
struct ValueRowIds {
    int slider = kNoId;
    int edit = kNoId;
    int label = kNoId;
    int unit = kNoId;
};
RowSpec valueRow(QString caption, ValueRowIds ids, QString unit = {});

// A table of texts (a C array or std::array of const char*) as a list's items.
template <class Texts>
QStringList itemList(const Texts& texts)
{
    QStringList list;
    for (const char* text : texts)
        list << text;
    return list;
}

// Builds the controls into parent (which gets the returned layout) and registers every
// control that has an id with host, radios in their groups.
QVBoxLayout* buildPage(ControlHost& host, QWidget& parent, const PageSpec& decl);

// "OK" (kIdOk) and "Cancel" (kIdCancel) at the foot of a dialog's layout.
void addDialogButtons(ControlHost& host, QWidget& parent, QVBoxLayout& layout, const QString& ok,
                      const QString& cancel);

// A message box's body: a centred, wrapping text (registered as textId, at least minimumWidth
// wide) over one centred default "OK" button (kIdOk).
QLabel* buildMessageLayout(ControlHost& host, QWidget& parent, int textId, const QString& ok, int minimumWidth);

}  // namespace velmar::ui

#pragma once

#include <QString>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace velmar::ui {

class ControlHost;

inline constexpr const char* kEnterNumberText = "Please enter a number.";
inline constexpr const char* kEnterIntegerText = "Please enter an integer.";

// One run of data exchange in one direction. The first refused value stops the run: the
// helpers after it do nothing, and updateData reports the failure.
class DataExchange {
public:
    DataExchange(ControlHost& host, bool save) : host_(host), save_(save) {}

    ControlHost& host() const { return host_; }
    bool saving() const { return save_; }
    bool failed() const { return failed_; }
    // Stops the run and puts the focus on the control whose value was refused.
    void fail(int controlId);
    // A value was refused and a message said so, but the run goes on (a value pair).
    void refuse();
    bool refused() const { return refused_; }

private:
    ControlHost& host_;
    bool save_;
    bool failed_ = false;
    bool refused_ = false;
};

// Control text: edits, labels, buttons and group boxes (saving reads edits and labels only).
// The double form writes up to 15 significant digits in the shortest form and,
// when saving, refuses what is not a number with "Please enter a number.".
void ddxText(DataExchange& dx, int id, std::string& value);
void ddxText(DataExchange& dx, int id, QString& value);
void ddxText(DataExchange& dx, int id, double& value);
// A whole number in an edit; saving refuses what is not one with "Please enter an integer.".
void ddxInt(DataExchange& dx, int id, int& value);
void ddxCheck(DataExchange& dx, int id, int& value);  // 0 or 1
// 0-based selection. A value the list cannot show (negative, or past its end) loads as no
// selection and is kept as it was when saving, so a foreign code survives a commit.
void ddxCBIndex(DataExchange& dx, int id, int& value);
void ddxSlider(DataExchange& dx, int id, int& value);  // trackbar position
// A group of radio buttons given in order; value is the index of the checked one. A value no
// button stands for (-1, a foreign code) loads as no button checked, even in an exclusive
// group, and is kept as it was when saving while none is checked.
void ddxRadio(DataExchange& dx, std::initializer_list<int> ids, int& value);
void ddxRadio(DataExchange& dx, const std::vector<int>& ids, int& value);

// A drop list or radio button loaded with a value it cannot show keeps that value, so that
// what the page shows can be told with it; a value it can show clears it. ddxCBIndex and
// ddxRadio note it; a page whose list positions are not the stored values notes the value.
void noteUnshownValue(QWidget* control, std::optional<int> stored);
std::optional<int> unshownValue(const QWidget* control);

// The text of a double as the edits show it ("-63.5", "0", "12").
QString formatDouble(double value);
// A whole text that is a number (blanks around it allowed); false otherwise.
bool parseDouble(const QString& text, double& value);
// A whole text that is a whole number in int's range (blanks around it allowed).
bool parseInt(const QString& text, int& value);

}  // namespace velmar::ui

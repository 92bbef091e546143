#pragma once

#include <QDialog>
#include <functional>

namespace velmar::ui {

// Every modal dialog and property sheet is handed to this hook once its loop runs, nested
// ones included; tests answer them through it. A window the hook leaves open is cancelled.
using ModalWindowHook = std::function<void(QDialog&)>;
void setModalWindowHook(ModalWindowHook hook);

// Runs window's modal loop; cancelResult is what a window left open by the hook ends with.
int execModal(QDialog& window, int cancelResult);

}  // namespace velmar::ui

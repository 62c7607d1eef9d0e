#pragma once
// The controls of one frame of the function pages, laid out in the order they are added:
// list boxes with their labels above them, then caption/field pairs in a few columns, then
// check boxes in a few columns, then rows across the frame (sub-frames, grids, buttons).

#include <map>
#include <string>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace tarvos::ui {

class FrameForm {
  public:
    FrameForm(QWidget* frame, int pairColumns, int checkColumns, int listBoxColumns = 2);

    QWidget* frame() const { return frame_; }

    // Above everything else (a caption over a column of lists).
    void addHead(QWidget* w);
    void addListBox(QLabel* label, QWidget* box);
    void addPair(QLabel* label, QWidget* field);
    // A further control beside the field of label's pair.
    void extend(QLabel* label, QWidget* extra);
    void addCheck(QWidget* check);
    // A row across the frame, made on first use.
    QHBoxLayout* row(const std::string& key);

  private:
    QWidget* frame_;
    int pairColumns_, checkColumns_, listBoxColumns_;
    QVBoxLayout* head_;
    QGridLayout* listBoxes_;
    QGridLayout* pairs_;
    QGridLayout* checks_;
    QVBoxLayout* wide_;
    int listBoxCount_ = 0, pairCount_ = 0, checkCount_ = 0;
    std::map<QLabel*, QHBoxLayout*> fieldsOf_;
    std::map<std::string, QHBoxLayout*> rows_;
};

}  // namespace tarvos::ui

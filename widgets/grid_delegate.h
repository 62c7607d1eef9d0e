#pragma once
// The cell editors of GridControl: a drop-down where the column has a list, a line with the
// column's input layout otherwise. A drop-down is at least as wide as its longest entry, so a
// narrow column still shows the entry whole while it is edited.

#include <QStyledItemDelegate>

class QLineEdit;

namespace tarvos::ui {

class GridControl;

class GridDelegate : public QStyledItemDelegate {
  public:
    explicit GridDelegate(GridControl* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

  private:
    static QString LineText(QLineEdit* line);
    static bool masked(QWidget* editor);
    static QString MaskedText(QLineEdit* line);

    GridControl* grid_;
};

}  // namespace tarvos::ui

#include "functions/ui/page_frames.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "functions/function_frames.h"

namespace tarvos::ui {

namespace {
QGroupBox* Frame(const char* name, QWidget* parent = nullptr) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(name);
    return box;
}

// A scrolling holder for a page whose controls may not fit when the page is small.
QWidget* ScrollingContent(QWidget* page, const char* name) {
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(name);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->setObjectName(QString(name) + "Content");
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return content;
}
}  // namespace

PageForms BuildPageFrames(const FunctionPageContainers& where) {
    PageForms forms;
    auto form = [&forms](const char* name, QWidget* frame, int pairs, int checks,
                         int listBoxes = 2) {
        auto* f = new FrameForm(frame, pairs, checks, listBoxes);
        forms[name].reset(f);
        return f;
    };

    // sstabSetMode, tab 1: the frame the channel window holds.
    if (where.optionFrame) form("fraOptionSet", where.optionFrame, 2, 2);

    // "未分类": the many options beside the side keys.
    if (QWidget* page = where.moreFuncTabs[0]) {
        QWidget* content = ScrollingContent(page, "scrMoreFunc0");
        auto* fraMoreFunc = Frame("fraMoreFunc");
        auto* fraKeyAssign = Frame("fraKeyAssign");
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(6, 6, 6, 6);
        column->addWidget(fraMoreFunc);
        column->addWidget(fraKeyAssign);
        column->addStretch();
        form("fraMoreFunc", fraMoreFunc, 2, 3);
        form("fraKeyAssign", fraKeyAssign, 2, 1, 4);
    }

    // "DTMF": VOX and tail lists on the tab itself, the DTMF frames below them.
    if (QWidget* page = where.moreFuncTabs[1]) {
        QWidget* content = ScrollingContent(page, "scrMoreFunc1");
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(6, 6, 6, 6);
        auto* onTab = new QWidget;
        onTab->setObjectName("sstabMoreFuncDtmfControls");
        column->addWidget(onTab);
        FrameForm* tab = form("sstabMoreFunc(DTMF)", onTab, 3, 3);
        auto* fraDtmf = new QFrame;
        fraDtmf->setObjectName("fraDtmf");
        tab->row("fraDtmf")->addWidget(fraDtmf);
        auto* fraDtmfEnc = Frame("fraDtmfEnc");
        auto* fraDtmfDec = Frame("fraDtmfDec");
        auto* fraAutoDialList = Frame("fraAutoDialList");
        auto* dtmfRow = new QHBoxLayout(fraDtmf);
        dtmfRow->setContentsMargins(0, 0, 0, 0);
        dtmfRow->addWidget(fraDtmfEnc, 0, Qt::AlignTop);
        dtmfRow->addWidget(fraDtmfDec, 0, Qt::AlignTop);
        dtmfRow->addWidget(fraAutoDialList, 0, Qt::AlignTop);
        dtmfRow->addStretch();
        form("fraDtmfEnc", fraDtmfEnc, 1, 1);
        FrameForm* dec = form("fraDtmfDec", fraDtmfDec, 1, 1);
        auto* fraStun = Frame("fraStun");
        dec->row("fraStun")->addWidget(fraStun);
        form("fraStun", fraStun, 1, 1);
        form("fraAutoDialList", fraAutoDialList, 2, 1);
        column->addStretch();
    }

    // "两音": the two-tone lists and the two grids side by side.
    if (QWidget* page = where.moreFuncTabs[2]) {
        QWidget* content = ScrollingContent(page, "scrMoreFunc2");
        auto* fraTwoTone = Frame("fraTwoTone");
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(6, 6, 6, 6);
        column->addWidget(fraTwoTone);
        column->addStretch();
        form("fraTwoTone", fraTwoTone, 3, 3);
    }

    // "Tab 3": VOX comparison values, scan, battery and the embedded messages in fraSysSet2.
    if (where.sysSet2Frame) {
        QWidget* content = ScrollingContent(where.sysSet2Frame, "scrSysSet2");
        auto* grid = new QGridLayout(content);
        grid->setContentsMargins(6, 6, 6, 6);
        auto* fraVox = Frame("fraVox");
        auto* fraScan = Frame("fraScan");
        auto* fraBattery = Frame("fraBattery");
        auto* fraEmbedMsg = Frame("fraEmbedMsg");
        grid->addWidget(fraVox, 0, 0, Qt::AlignTop);
        grid->addWidget(fraScan, 0, 1, Qt::AlignTop);
        grid->addWidget(fraEmbedMsg, 1, 0, Qt::AlignTop);
        grid->addWidget(fraBattery, 1, 1, Qt::AlignTop);
        grid->setColumnStretch(2, 1);
        grid->setRowStretch(2, 1);
        form("fraVox", fraVox, 2, 1);
        form("fraScan", fraScan, 1, 1);
        form("fraBattery", fraBattery, 1, 1);
        form("fraEmbedMsg", fraEmbedMsg, 1, 1);
    }
    return forms;
}

void TitlePageFrames(const PageForms& forms, const FaceTextTable& ft) {
    for (const FunctionFrame& f : FunctionFrames()) {
        auto it = forms.find(std::string(f.name));
        if (it == forms.end()) continue;
        if (auto* box = qobject_cast<QGroupBox*>(it->second->frame()))
            box->setTitle(QString::fromStdString(FrameCaption(ft, f.name)));
    }
}

}  // namespace tarvos::ui

#include "link/ui/comm_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "link/hex_text.h"
#include "link/link.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
QPixmap Light(bool on) {
    QPixmap pm(18, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(7, 7, 9);
    g.setColorAt(0, on ? QColor(170, 255, 170) : QColor(210, 214, 210));
    g.setColorAt(1, on ? QColor(20, 160, 40) : QColor(140, 146, 140));
    p.setPen(QPen(QColor(60, 70, 60), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
    return pm;
}
}  // namespace

CommWindow::CommWindow(WindowContext& ctx, link::Link& link, int& frameClickNum, int mode,
                       QWidget* parent)
    : QDialog(parent), ctx_(ctx), link_(link), frameClickNum_(frameClickNum), mode_(mode) {
    setObjectName("frmCommun");
    setModal(true);

    fraOne_ = new QGroupBox(this);
    fraOne_->setObjectName("fraOne");
    fraOne_->installEventFilter(this);
    prgCommunicate_ = new QProgressBar(fraOne_);
    prgCommunicate_->setObjectName("prgCommunicate");
    prgCommunicate_->setRange(0, 100);
    prgCommunicate_->setValue(0);
    prgCommunicate_->setTextVisible(false);
    lblComStatus_ = new QLabel(fraOne_);
    lblComStatus_->setObjectName("lblComStatus");
    lblComStatus_->setWordWrap(true);
    lblComPercent_ = new QLabel(fraOne_);
    lblComPercent_->setObjectName("lblComPercent");
    imgGreen_ = new QLabel(fraOne_);
    imgGreen_->setObjectName("imgGreen");
    lights_[0] = Light(false);
    lights_[1] = Light(true);
    imgGreen_->setPixmap(lights_[1]);
    imgGreen_->setFixedSize(18, 18);
    imgGreen_->hide();
    cmdRead_ = new QPushButton(fraOne_);
    cmdRead_->setObjectName("cmdRead");
    cmdWrite_ = new QPushButton(fraOne_);
    cmdWrite_->setObjectName("cmdWrite");
    chkStopCom_ = new QCheckBox(fraOne_);
    chkStopCom_->setObjectName("chkStopCom");
    chkStopCom_->hide();

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(imgGreen_);
    statusRow->addWidget(lblComStatus_, 1);
    statusRow->addWidget(lblComPercent_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(chkStopCom_);
    buttonRow->addStretch();
    buttonRow->addWidget(cmdRead_);
    buttonRow->addWidget(cmdWrite_);
    auto* one = new QVBoxLayout(fraOne_);
    one->addWidget(prgCommunicate_);
    one->addLayout(statusRow);
    one->addLayout(buttonRow);

    fraTwo_ = new QGroupBox("Communication Data", this);
    fraTwo_->setObjectName("fraTwo");
    listRtData_ = new QListWidget(fraTwo_);
    listRtData_->setObjectName("listRtData");
    listRtData_->setMinimumHeight(110);
    auto* two = new QVBoxLayout(fraTwo_);
    two->addWidget(listRtData_);

    fraRdWrDat_ = new QGroupBox("Read Write Data", this);
    fraRdWrDat_->setObjectName("fraRdWrDat");
    chkComRxMode_ = new QCheckBox("Single wire (echo)", fraRdWrDat_);
    chkComRxMode_->setObjectName("chkComRxMode");
    chkNotShowProg_ = new QCheckBox("Do not show progress", fraRdWrDat_);
    chkNotShowProg_->setObjectName("chkNotShowProg");
    chkShowMemDat_ = new QCheckBox("Show memory data", fraRdWrDat_);
    chkShowMemDat_->setObjectName("chkShowMemDat");
    auto* panel = new QGridLayout(fraRdWrDat_);
    panel->addWidget(chkComRxMode_, 0, 0, 1, 2);
    panel->addWidget(chkNotShowProg_, 1, 0, 1, 2);
    panel->addWidget(chkShowMemDat_, 2, 0, 1, 2);
    const auto hex = [](int v) { return QString("%1").arg(v, 4, 16, QChar('0')).toUpper(); };
    const link::RangeSettings& r = link_.ranges;
    const struct {
        const char* name;
        const char* key;
        const char* label;
        int value;
    } boxes[] = {{"txtMaxAddr", "TableMaxAddr", "Max Addr", r.TableMaxAddr},
                 {"txtReadStartAddr", "ReadStartAddr", "Read Start", r.ReadStartAddr},
                 {"txtReadEndAddr", "ReadEndAddr", "Read End", r.ReadEndAddr},
                 {"txtWriteStartAddr", "WriteStartAddr", "Write Start", r.WriteStartAddr},
                 {"txtWriteEndAddr", "WriteEndAddr", "Write End", r.WriteEndAddr}};
    int row = 3;
    const SettingsFile settings = ctx_.settings.snapshot();
    for (const auto& b : boxes) {
        // The boxes show the texts of the settings file, as the start-up read them, except
        // an end address the start-up brought down to the image's end: that box shows the
        // address the transfers use.
        const std::string stored = settings.read("Setting", b.key, "", 15);
        const auto value = link::ParseHex(stored);
        const QString text = stored.empty() || (value && *value != static_cast<unsigned>(b.value))
                                 ? hex(b.value)
                                 : QString::fromStdString(stored);
        panel->addWidget(new QLabel(b.label, fraRdWrDat_), row, 0);
        panel->addWidget(addressBox(b.name, b.key, text), row, 1);
        ++row;
    }
    // The window opens with the progress and the log; the hidden panel stays hidden.
    fraRdWrDat_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraOne_);
    layout->addWidget(fraTwo_);
    layout->addWidget(fraRdWrDat_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    tmrReadStart_ = new QTimer(this);
    tmrReadStart_->setObjectName("tmrReadStart");
    tmrReadStart_->setSingleShot(true);
    tmrReadStart_->setInterval(100);
    tmrWriteStart_ = new QTimer(this);
    tmrWriteStart_->setObjectName("tmrWriteStart");
    tmrWriteStart_->setSingleShot(true);
    tmrWriteStart_->setInterval(100);
    tmrLigGrint_ = new QTimer(this);
    tmrLigGrint_->setObjectName("tmrLigGrint");
    tmrLigGrint_->setInterval(100);
    connect(tmrReadStart_, &QTimer::timeout, this, [this] { cmdRead_Click(); });
    connect(tmrWriteStart_, &QTimer::timeout, this, [this] { cmdWrite_Click(); });
    // The light blinks by changing its picture, so the row does not jump.
    connect(tmrLigGrint_, &QTimer::timeout, this, [this] {
        const bool lit = !imgGreen_->property("lit").toBool();
        imgGreen_->setProperty("lit", lit);
        imgGreen_->setPixmap(lights_[lit ? 1 : 0]);
    });
    connect(cmdRead_, &QPushButton::clicked, this, [this] { cmdRead_Click(); });
    connect(cmdWrite_, &QPushButton::clicked, this, [this] { cmdWrite_Click(); });
    connect(chkStopCom_, &QCheckBox::clicked, this,
            [this](bool on) { link_.transfer.setStopTicked(on); });
    // The box only shows the echo mode the handshake found; a click does not change it, so
    // the box goes back to what the link uses.
    connect(chkComRxMode_, &QCheckBox::clicked, this,
            [this](bool) { chkComRxMode_->setChecked(link_.interp.SingleWire()); });
    chkComRxMode_->setChecked(link_.interp.SingleWire());

    link_.setObserver(this);
    ctx_.guard("frmCommun->Form_Load", [&] { InitFace(); });

    if (mode_ == 1 || mode_ == 2) {
        cmdRead_->hide();
        cmdWrite_->hide();
        (mode_ == 1 ? tmrReadStart_ : tmrWriteStart_)->start();
    }
}

CommWindow::~CommWindow() {
    link_.setObserver(nullptr);
}

QLineEdit* CommWindow::addressBox(const char* name, const char* key, const QString& text) {
    auto* box = new QLineEdit(text, fraRdWrDat_);
    box->setObjectName(name);
    box->setMaxLength(4);
    const std::string k = key;
    // Every keystroke stores the box's text under its key and then takes its value.
    connect(box, &QLineEdit::textEdited, this, [this, k](const QString& t) {
        link_.ranges.change(&ctx_.settings, ctx_.log, k, t.toStdString());
    });
    return box;
}

void CommWindow::InitFace() {
    setWindowTitle(ctx_.ft(102));
    setFont(ctx_.uiFont);
    fraOne_->setTitle(ctx_.ft(156));
    cmdRead_->setText(ctx_.ft(100));
    cmdWrite_->setText(ctx_.ft(101));
    chkStopCom_->setText(ctx_.language == 3 ? "Stop Communication"
                                            : QString::fromUtf8("停止通信..."));
    QPalette pal = lblComStatus_->palette();
    pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lblComStatus_->setPalette(pal);
    lblComStatus_->clear();
    setMinimumWidth(460);
    fraOne_->setMinimumWidth(440);
}

void CommWindow::cmdRead_Click() {
    runTransfer(link::Direction::Read);
}

void CommWindow::cmdWrite_Click() {
    runTransfer(link::Direction::Write);
}

void CommWindow::runTransfer(link::Direction d) {
    if (busy_) return;  // a start while a transfer runs is not a second transfer
    busy_ = true;
    listRtData_->clear();
    const link::Outcome outcome =
        d == link::Direction::Read ? link_.transfer.Read() : link_.transfer.Write();
    busy_ = false;
    ran_ = true;
    lastDirection_ = d;
    lastOutcome_ = outcome;
    if (closeAfterTransfer_) done(QDialog::Accepted);
}

void CommWindow::fraOne_DblClick() {
    ++frameClickNum_;
    if (frameClickNum_ % 10 != 6) return;
    // Small (progress and log at most): grow to show the log and the panel; otherwise
    // shrink to the progress frame alone.
    const bool show = !panelShown();
    fraTwo_->setVisible(show);
    fraRdWrDat_->setVisible(show);
}

bool CommWindow::panelShown() const {
    return fraRdWrDat_->isVisibleTo(this);
}

bool CommWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fraOne_ && event->type() == QEvent::MouseButtonDblClick) {
        fraOne_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CommWindow::closeEvent(QCloseEvent* e) {
    bool mayClose = true;
    ctx_.guard("frmCommun->Form_QueryUnload", [&] { mayClose = link_.transfer.requestClose(); });
    if (mayClose && !busy_)
        e->accept();
    else
        e->ignore();
}

void CommWindow::reject() {
    // Escape and the window's close button go through the same close rule.
    close();
}

// --- What the transfer reports ------------------------------------------------------------

void CommWindow::progress(int percent) {
    prgCommunicate_->setValue(percent);
}

void CommWindow::statusText(const std::string& text) {
    lblComStatus_->setText(QString::fromStdString(text));
}

void CommWindow::logChanged(const link::CommLog& log) {
    // The log grows a line at a time during a transfer: insert just that line; anything
    // else (a cleared log) is drawn again whole.
    const int count = static_cast<int>(log.lines.size());
    if (count == listRtData_->count() + 1 && log.selected >= 0 && log.selected < count) {
        listRtData_->insertItem(
            log.selected, QString::fromStdString(log.lines[static_cast<size_t>(log.selected)]));
    } else {
        listRtData_->clear();
        for (const std::string& line : log.lines)
            listRtData_->addItem(QString::fromStdString(line));
    }
    if (log.selected >= 0 && log.selected < listRtData_->count())
        listRtData_->setCurrentRow(log.selected);
}

void CommWindow::stopBox(bool visible, bool ticked) {
    chkStopCom_->setVisible(visible);
    chkStopCom_->setChecked(ticked);
}

void CommWindow::singleWire(bool on) {
    chkComRxMode_->setChecked(on);
}

void CommWindow::comPort(int port) {
    ctx_.comPort = port;
    emit comPortChanged(port);
}

void CommWindow::messageBox(int, const std::string& text, const std::string& title) {
    ctx_.host->tell(this, QString::fromStdString(title), QString::fromStdString(text),
                    DesktopHost::Icon::Exclamation);
}

void CommWindow::running(link::Direction d, bool on) {
    QPushButton* mine = d == link::Direction::Read ? cmdRead_ : cmdWrite_;
    QPushButton* other = d == link::Direction::Read ? cmdWrite_ : cmdRead_;
    QFont bold = mine->font();
    bold.setBold(on);
    mine->setFont(bold);
    QFont normal = other->font();
    normal.setBold(false);
    other->setFont(normal);
    mine->setEnabled(!on);
    if (on) {
        imgGreen_->show();
        tmrLigGrint_->start();
    } else {
        tmrLigGrint_->stop();
        imgGreen_->hide();
    }
}

void CommWindow::finished(link::Direction, link::Outcome, bool closeWindow) {
    lblComPercent_->clear();
    closeAfterTransfer_ = closeWindow;
}

}  // namespace tarvos::ui

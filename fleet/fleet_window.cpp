#include "fleet/fleet_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "document/link_host.h"
#include "document/numbered_write.h"
#include "document/radio_document.h"
#include "fleet/fleet_texts.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

using fleet_text::Tr;

namespace {
// FaceText captions of the boxes a run may number, in the order of kNumberableBoxes.
constexpr int kNumberBoxCaptions[] = {251, 248, 249};
enum LineColumn { kLinePort, kLineDevice, kLineProgress, kLineState, kLineTimes, kLineColumns };
constexpr int kReportColumns = 9;
constexpr int kReportReason = 5;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

// The lines' reports, handed over to the window's thread. The window outlives the run: it
// stops and waits for the lines before it goes.
class FleetWindow::Bridge : public link::FleetObserver {
  public:
    explicit Bridge(FleetWindow* w) : w_(w) {}
    void lineState(int line, link::LineState s) override {
        post([=](FleetWindow* w) { w->ShowLineState(line, s); });
    }
    void lineProgress(int line, int percent) override {
        post([=](FleetWindow* w) { w->ShowLineProgress(line, percent); });
    }
    void lineStatus(int line, const std::string& text) override {
        post([=, t = Q(text)](FleetWindow* w) { w->ShowLineStatus(line, t); });
    }
    void radioFinished(const link::RadioRecord& r) override {
        post([r](FleetWindow* w) { w->ShowRecord(r); });
    }

  private:
    template <class F>
    void post(F f) {
        FleetWindow* w = w_;
        QMetaObject::invokeMethod(
            w, [w, f] { f(w); }, Qt::QueuedConnection);
    }
    FleetWindow* w_;
};

FleetWindow::FleetWindow(WindowContext& ctx, const RadioDocument& doc, FleetSetup setup,
                         QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      doc_(doc),
      setup_(std::move(setup)),
      bridge_(std::make_unique<Bridge>(this)) {
    setObjectName("frmAutoReadWrite");
    setFont(ctx.uiFont);

    auto* mode = new QGroupBox(this);
    mode->setObjectName("fraAutoRw");
    optWrite_ = new QRadioButton(mode);
    optWrite_->setObjectName("optWrite");
    optWrite_->setChecked(true);
    optRead_ = new QRadioButton(mode);
    optRead_->setObjectName("optRead");
    auto* modeRow = new QHBoxLayout(mode);
    modeRow->addWidget(optWrite_);
    modeRow->addWidget(optRead_);
    modeRow->addStretch();
    connect(optWrite_, &QRadioButton::toggled, this, [this] { ShowMode(); });

    listPorts_ = new QListWidget(this);
    listPorts_->setObjectName("listPorts");
    listPorts_->setMaximumHeight(80);
    for (const auto& [number, device] : setup_.ports) {
        auto* item = new QListWidgetItem(QString("COM%1    %2").arg(number).arg(Q(device)));
        item->setData(Qt::UserRole, number);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        listPorts_->addItem(item);
    }

    spnInterval_ = new QSpinBox(this);
    spnInterval_->setObjectName("spnInterval");
    spnInterval_->setRange(1, 60);
    spnInterval_->setValue(ctx.setting("AutoRwInterval", "1", 5).toInt());
    chkShowProgress_ = new QCheckBox(this);
    chkShowProgress_->setObjectName("chkShowProgress");
    chkShowProgress_->setChecked(true);
    connect(chkShowProgress_, &QCheckBox::toggled, this,
            [this](bool on) { tblLines_->setColumnHidden(kLineProgress, !on); });

    chkNumbering_ = new QCheckBox(this);
    chkNumbering_->setObjectName("chkNumbering");
    cboNumberBox_ = new QComboBox(this);
    cboNumberBox_->setObjectName("cboNumberBox");
    for (int caption : kNumberBoxCaptions) cboNumberBox_->addItem(ctx.ft(caption));
    txtFirstNumber_ = new QLineEdit(this);
    txtFirstNumber_->setObjectName("txtFirstNumber");
    txtFirstNumber_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), txtFirstNumber_));
    spnStep_ = new QSpinBox(this);
    spnStep_->setObjectName("spnStep");
    spnStep_->setRange(1, 9999);
    // The first number is as long as the box takes at most.
    auto fitBox = [this] {
        txtFirstNumber_->setMaxLength(
            NumberBoxLength(kNumberableBoxes[std::max(0, cboNumberBox_->currentIndex())]));
    };
    connect(cboNumberBox_, &QComboBox::currentIndexChanged, this, fitBox);
    fitBox();

    txtFolder_ = new QLineEdit(ctx.setting("AutoRwFolder", "", 260), this);
    txtFolder_->setObjectName("txtFolder");
    if (txtFolder_->text().isEmpty())
        txtFolder_->setText(QDir::toNativeSeparators(ctx.appFolder + "/Data/auto"));
    cmdFolder_ = new QPushButton("...", this);
    cmdFolder_->setObjectName("cmdFolder");
    cmdFolder_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(cmdFolder_, &QPushButton::clicked, this, [this] { ChooseFolder(); });

    cmdStart_ = new QPushButton(this);
    cmdStart_->setObjectName("cmdStart");
    cmdStop_ = new QPushButton(this);
    cmdStop_->setObjectName("cmdStop");
    cmdStop_->setEnabled(false);
    connect(cmdStart_, &QPushButton::clicked, this, [this] { Start(); });
    connect(cmdStop_, &QPushButton::clicked, this, [this] { Stop(); });

    auto* lines = new QGroupBox(this);
    lines->setObjectName("fraLines");
    tblLines_ = new QTableWidget(0, kLineColumns, lines);
    tblLines_->setObjectName("tblLines");
    tblLines_->verticalHeader()->hide();
    tblLines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblLines_->horizontalHeader()->setSectionResizeMode(kLineState, QHeaderView::Stretch);
    (new QVBoxLayout(lines))->addWidget(tblLines_);
    tblReport_ = new QTableWidget(0, kReportColumns, this);
    tblReport_->setObjectName("tblReport");
    tblReport_->verticalHeader()->hide();
    tblReport_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblReport_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblReport_->horizontalHeader()->setSectionResizeMode(kReportReason, QHeaderView::Stretch);
    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName("lblSummary");
    lblSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QGridLayout;
    int row = 0;
    form->addWidget(mode, row++, 0, 1, 4);
    form->addWidget(new QLabel(Tr(fleet_text::kPorts, ctx.language), this), row, 0);
    form->addWidget(listPorts_, row++, 1, 1, 3);
    auto* intervalLabel = new QLabel(this);
    intervalLabel->setObjectName("lblInterval");
    intervalLabel->setText(ctx.ft(151));
    form->addWidget(intervalLabel, row, 0);
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(spnInterval_);
    intervalRow->addWidget(new QLabel(Tr(fleet_text::kSeconds, ctx.language), this));
    intervalRow->addSpacing(24);
    intervalRow->addWidget(chkShowProgress_);
    intervalRow->addStretch();
    form->addLayout(intervalRow, row++, 1, 1, 3);
    form->addWidget(chkNumbering_, row, 0);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(cboNumberBox_);
    numberRow->addWidget(new QLabel(Tr(fleet_text::kFirstNumber, ctx.language), this));
    numberRow->addWidget(txtFirstNumber_);
    numberRow->addWidget(new QLabel(Tr(fleet_text::kStep, ctx.language), this));
    numberRow->addWidget(spnStep_);
    form->addLayout(numberRow, row++, 1, 1, 3);
    form->addWidget(new QLabel(Tr(fleet_text::kFolder, ctx.language), this), row, 0);
    form->addWidget(txtFolder_, row, 1, 1, 2);
    form->addWidget(cmdFolder_, row++, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdStart_);
    buttons->addWidget(cmdStop_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(lines, 1);
    layout->addWidget(tblReport_, 1);
    layout->addWidget(lblSummary_);
    InitFace();
    ShowMode();
    resize(820, 620);
}

FleetWindow::~FleetWindow() {
    // No line may report to a window that is gone.
    fleet_.reset();
}

QString FleetWindow::text(const char* const texts[3]) const {
    return Tr(texts, ctx_.language);
}

void FleetWindow::InitFace() {
    using namespace fleet_text;
    setWindowTitle(ctx_.ft(150));
    findChild<QGroupBox*>("fraAutoRw")->setTitle(ctx_.ft(155));
    findChild<QGroupBox*>("fraLines")->setTitle(ctx_.ft(156));
    optWrite_->setText(ctx_.ft(152));
    optRead_->setText(ctx_.ft(153));
    chkShowProgress_->setText(ctx_.ft(154));
    chkNumbering_->setText(text(kNumbering));
    cmdStart_->setText(text(kStart));
    cmdStop_->setText(text(kStop));
    tblLines_->setHorizontalHeaderLabels(
        {ctx_.ft(5), text(kDevice), text(kProgress), text(kState), ctx_.ft(157)});
    tblReport_->setHorizontalHeaderLabels({ctx_.ft(91), ctx_.ft(5), text(kDevice), text(kOperation),
                                           text(kResult), text(kReason), text(kVerified),
                                           text(kNumber), text(kFingerprint)});
}

void FleetWindow::ShowMode() {
    // Numbering gives each radio written its own number; a read has nothing to number.
    const bool write = optWrite_->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{chkNumbering_, cboNumberBox_, txtFirstNumber_, spnStep_})
        w->setEnabled(write && !running());
}

void FleetWindow::ChooseFolder() {
    const QString folder = ctx_.host->folderName(this, txtFolder_->text());
    if (!folder.isEmpty()) txtFolder_->setText(QDir::toNativeSeparators(folder));
}

void FleetWindow::SetEditable(bool editable) {
    for (QWidget* w : std::initializer_list<QWidget*>{optWrite_, optRead_, listPorts_, spnInterval_,
                                                      txtFolder_, cmdFolder_, cmdStart_})
        w->setEnabled(editable);
    cmdStop_->setEnabled(!editable);
    ShowMode();
}

bool FleetWindow::Start() {
    if (running()) return false;
    const auto refuse = [this](const QString& why) {
        ctx_.host->tell(this, ctx_.ft(70), why, DesktopHost::Icon::Exclamation);
        return false;
    };
    chosen_.clear();
    for (int i = 0; i < listPorts_->count(); ++i)
        if (listPorts_->item(i)->checkState() == Qt::Checked)
            chosen_.push_back(listPorts_->item(i)->data(Qt::UserRole).toInt());
    if (chosen_.empty()) return refuse(text(fleet_text::kNoPortChosen));
    const bool write = optWrite_->isChecked();
    std::optional<Numbering> numbering;
    if (write && chkNumbering_->isChecked()) {
        if (txtFirstNumber_->text().isEmpty()) return refuse(text(fleet_text::kNoFirstNumber));
        numbering = Numbering{kNumberableBoxes[cboNumberBox_->currentIndex()],
                              txtFirstNumber_->text().toStdString(),
                              static_cast<uint64_t>(spnStep_->value())};
    }
    const std::filesystem::path folder = txtFolder_->text().toStdString();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::time_t now = setup_.clock ? setup_.clock() : std::time(nullptr);

    link::FleetPlan plan;
    plan.direction = write ? link::Direction::Write : link::Direction::Read;
    plan.verify = write;  // every write is read back and compared
    plan.intervalMs = spnInterval_->value() * 1000;
    plan.ranges = setup_.ranges;
    plan.page = FunctionPageOf(doc_.functions());
    plan.bandLow = doc_.bandLow();
    plan.bandHigh = doc_.bandHigh();
    plan.language = ctx_.language;
    if (write) plan.writeImage = NumberedWrite(doc_, numbering);
    plan.readBase = doc_.image();
    plan.outDir = folder;
    plan.reportPath = folder / ("fleet-" + link::FileStamp(now) + ".csv");
    plan.clock = setup_.clock;
    std::vector<link::FleetPort> ports;
    for (int number : chosen_) {
        link::FleetPort p = setup_.makePort(number);
        p.name = "COM" + std::to_string(number);
        ports.push_back(std::move(p));
    }

    auto fleet = std::make_unique<link::Fleet>(std::move(plan), std::move(ports), bridge_.get(),
                                               setup_.threads);
    std::string why;
    if (!fleet->start(&why)) {
        const std::string path = fleet->plan().reportPath.string();
        return refuse(ctx_.ft(84) + "\n" + Q(write ? path : folder.string()));
    }
    reportPath_ = Q(fleet->plan().reportPath.string());
    ctx_.writeSetting("AutoRwInterval", QString::number(spnInterval_->value()));
    ctx_.writeSetting("AutoRwFolder", txtFolder_->text());

    // A row per line, a fresh report table.
    tblReport_->setRowCount(0);
    tblLines_->setRowCount(static_cast<int>(chosen_.size()));
    times_.assign(chosen_.size(), {0, 0});
    ended_ = done_ = failed_ = unfinished_ = 0;
    for (int line = 0; line < static_cast<int>(chosen_.size()); ++line) {
        const int number = chosen_[static_cast<size_t>(line)];
        QString device;
        for (const auto& [n, d] : setup_.ports)
            if (n == number) device = Q(d);
        tblLines_->setItem(line, kLinePort, new QTableWidgetItem(QString("COM%1").arg(number)));
        tblLines_->setItem(line, kLineDevice, new QTableWidgetItem(device));
        auto* bar = new QProgressBar(tblLines_);
        bar->setRange(0, 100);
        bar->setValue(0);
        tblLines_->setCellWidget(line, kLineProgress, bar);
        tblLines_->setItem(line, kLineState, new QTableWidgetItem);
        tblLines_->setItem(line, kLineTimes, new QTableWidgetItem("0 / 0"));
    }
    fleet_ = std::move(fleet);
    SetEditable(false);
    lblSummary_->clear();
    return true;
}

void FleetWindow::Stop() {
    if (!fleet_) return;
    fleet_->stop();
    cmdStop_->setEnabled(false);
    lblSummary_->setText(text(fleet_text::kStopping));
}

QString FleetWindow::summary() const {
    return lblSummary_->text();
}

void FleetWindow::ShowLineState(int line, link::LineState state) {
    QString s;
    switch (state) {
        case link::LineState::WaitingForRadio:
            s = text(fleet_text::kWaitingForRadio);
            break;
        case link::LineState::Transferring:
            s = ctx_.ft(optWrite_->isChecked() ? 168 : 164);
            ShowLineProgress(line, 0);
            break;
        case link::LineState::Verifying:
            s = text(fleet_text::kVerifying);
            ShowLineProgress(line, 0);
            break;
        case link::LineState::WaitingForRemoval:
            s = text(fleet_text::kTakeOff);
            break;
        case link::LineState::Ended:
            s = text(fleet_text::kEnded);
            break;
    }
    ShowLineStatus(line, s);
    if (state == link::LineState::Ended && ++ended_ == static_cast<int>(chosen_.size())) RunEnded();
}

void FleetWindow::ShowLineProgress(int line, int percent) {
    auto* bar = qobject_cast<QProgressBar*>(tblLines_->cellWidget(line, kLineProgress));
    if (bar) bar->setValue(percent);
}

void FleetWindow::ShowLineStatus(int line, const QString& status) {
    // Percentages are the bar's; retries and failures show in the state column.
    if (status.isEmpty() || status.endsWith(" %")) return;
    if (auto* item = tblLines_->item(line, kLineState)) item->setText(status);
}

void FleetWindow::ShowRecord(const link::RadioRecord& r) {
    using link::RadioResult;
    auto& [done, failed] = times_[static_cast<size_t>(r.line)];
    const QString result = r.result == RadioResult::Succeeded ? ctx_.ft(171)
                           : r.result == RadioResult::Failed  ? ctx_.ft(172)
                                                              : text(fleet_text::kUnfinished);
    if (r.result == RadioResult::Succeeded) ++done, ++done_;
    if (r.result == RadioResult::Failed) ++failed, ++failed_;
    if (r.result == RadioResult::Unfinished) ++unfinished_;
    if (auto* item = tblLines_->item(r.line, kLineTimes))
        item->setText(QString("%1 / %2").arg(done).arg(failed));
    // The bar keeps showing how the last radio went until the next one starts.
    ShowLineProgress(r.line, r.result == RadioResult::Succeeded ? 100 : 0);

    const QString verified = r.verified == link::Verification::Matched    ? text(fleet_text::kYes)
                             : r.verified == link::Verification::Differed ? text(fleet_text::kNo)
                                                                          : QString();
    const QString cells[kReportColumns] = {
        Q(r.time),       Q(r.port),
        Q(r.device),     ctx_.ft(r.operation == link::Direction::Read ? 405 : 406),
        result,          Q(r.reason),
        verified,        Q(r.number),
        Q(r.fingerprint)};
    const int row = tblReport_->rowCount();
    tblReport_->insertRow(row);
    for (int c = 0; c < kReportColumns; ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setToolTip(c == kReportReason ? cells[c] : Q(r.file.string()));
        tblReport_->setItem(row, c, item);
    }
    tblReport_->scrollToBottom();
}

void FleetWindow::RunEnded() {
    fleet_->wait();
    fleet_.reset();
    SetEditable(true);
    lblSummary_->setText(text(fleet_text::kSummary).arg(done_).arg(failed_).arg(unfinished_) +
                         "  " + text(fleet_text::kReportIn) + reportPath_);
    emit runFinished();
    if (closeAsked_) close();
}

void FleetWindow::closeEvent(QCloseEvent* e) {
    // Closing while radios are being programmed is Stop; the window goes once every line
    // has ended.
    if (running()) {
        closeAsked_ = true;
        Stop();
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void FleetWindow::reject() {
    if (running()) {
        closeAsked_ = true;
        Stop();
        return;
    }
    QDialog::reject();
}

}  // namespace tarvos::ui

#include "Unit2.h"

#include "Progress.h"
#include "ExamWindow.h"
#include "StudyWindow.h"
#include "common/AppPaths.h"
#include "exam/ProgressStore.h"
#include "picture/LoadPicture.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FailureReport.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QLabel>

#include <algorithm>

// The practice window's side of the study centre: its entry, the favourite star, runs over a set
// of questions, and remembering where the learner stopped.

namespace kemuyi {

namespace {

QString starStem(bool on)
{
    return on ? QStringLiteral("star_on") : QStringLiteral("star_off");
}

} // namespace

void TForm2::createStudyControls()
{
    // On the background, like the mock exam's entry, so the window's own controls stay as they are.
    studyButton = imageButton(Image5, "studyButton", {16, 48, 74, 40}, QStringLiteral("xxzx"));
    describe(studyButton, QStringLiteral("学习中心"),
             QStringLiteral("专项练习、收藏、错题本、未做题、搜索、继续上次练习、智能复习和统计（L键）"));
    studyButton->setToolTip(QStringLiteral("学习中心：专项、收藏、错题、未做题、搜索、继续练习、智能复习、统计（L键；U键直接继续上次练习）"));
    favouriteButton = imageButton(Image5, "favouriteButton", {92, 48, 34, 40}, starStem(false));
    favouriteButton->setEnabled(false);
    showFavouriteState();
    connect(studyButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { studyClicked(); }); });
    connect(favouriteButton, &QAbstractButton::clicked, this, [this] { guardEvent([this] { favouriteClicked(); }); });
}

// The star's picture and words follow the shown question: filled when it is a favourite.
void TForm2::showFavouriteState()
{
    bool on = false;
    if (m_run.isActive() && m_progress) {
        // Through write(): a file that fails here is reported once and left alone, not at every question.
        const qint32 id = m_run.CurrentQuestionId;
        m_progress->write([id, &on](ProgressStore &store, const QString &bank) { on = store.isFavourite(bank, id); });
    }
    const bool changed = favouriteButton->normalFile() != starStem(on) + QStringLiteral(".jpg");
    favouriteButton->setPictureFiles(starStem(on) + QStringLiteral(".jpg"), starStem(on) + QStringLiteral("_ovr.jpg"));
    favouriteButton->setEnabled(m_run.isActive());
    describe(favouriteButton, on ? QStringLiteral("已收藏") : QStringLiteral("收藏"),
             on ? QStringLiteral("本题已收藏，按一下取消收藏（X键）") : QStringLiteral("收藏本题，可在学习中心练习（X键）"));
    favouriteButton->setToolTip(on ? QStringLiteral("已收藏，取消收藏（X键）") : QStringLiteral("收藏本题（X键）"));
    if (changed)
        LoadPicture(*favouriteButton, AppDir() + favouriteButton->normalFile());
}

void TForm2::favouriteClicked()
{
    if (!m_run.isActive() || !m_progress)
        return;
    ProgressStore *store = m_progress->store();
    if (!store)
        return;
    const qint32 id = m_run.CurrentQuestionId;
    const bool on = !store->isFavourite(m_progress->bank(), id);
    m_progress->write([id, on](ProgressStore &open, const QString &bank) { open.setFavourite(bank, id, on); });
    showFavouriteState();
    setAnnouncedText(Label2, on ? QStringLiteral(" 已收藏本题。") : QStringLiteral(" 已取消收藏本题。"));
}

void TForm2::studyClicked()
{
    if (!m_studyWindow)
        m_studyWindow = new StudyWindow(m_bank, m_progress, this);
    const StudyChoice choice = m_studyWindow->runFor(categoryCode());
    returnKeyboardTo(*this);
    switch (choice.kind) {
    case StudyChoice::Kind::Run:
        startSet(choice.run);
        break;
    case StudyChoice::Kind::Drill:
        if (!m_examWindow)
            m_examWindow = new ExamWindow(m_bank, m_progress, this);
        m_examWindow->runDrillFor(categoryCode());
        returnKeyboardTo(*this);
        break;
    case StudyChoice::Kind::None:
        break;
    }
}

void TForm2::continueClicked()
{
    ProgressStore *store = m_progress ? m_progress->store() : nullptr;
    const std::optional<StoppedRun> last = store ? store->lastStoppedRun(m_progress->bank(), categoryCode())
                                                 : std::nullopt;
    if (!last) {
        setAnnouncedText(Label2, QStringLiteral(" 本类别还没有可以继续的练习。"));
        return;
    }
    startSet(*last);
}

void TForm2::startSet(const StoppedRun &run)
{
    m_runMode = run.mode;
    m_modeName = run.title;
    // A run of its own for the memory model, as a mode start is.
    m_runId = std::max(m_clock(), m_runId + 1);
    m_run.StartWithIds(run.questions, run.position);
    m_tally.reset(m_run.QuestionCount);
    rememberRun();
    updateProgressLine();
}

// The whole run once, when it starts; afterwards only its position as it moves.
void TForm2::rememberRun()
{
    if (!m_progress || !m_run.isActive() || m_runMode.isEmpty())
        return;
    const StoppedRun stopped{m_runMode, m_modeName, m_run.runIds(), m_run.CurrentPosition, 0};
    const QString category = categoryCode();
    m_progress->write([stopped, category](ProgressStore &store, const QString &bank) {
        store.rememberRun(bank, category, stopped);
    });
}

void TForm2::rememberPosition()
{
    if (!m_progress || !m_run.isActive() || m_runMode.isEmpty())
        return;
    const QString category = categoryCode();
    const QString mode = m_runMode;
    const int position = m_run.CurrentPosition;
    m_progress->write([category, mode, position](ProgressStore &store, const QString &bank) {
        store.rememberPosition(bank, category, mode, position);
    });
}

} // namespace kemuyi

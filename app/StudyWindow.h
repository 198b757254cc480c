#pragma once

#include "bank/QuestionSearch.h"
#include "exam/ProgressStore.h"
#include "ui/HoverPictures.h"
#include "ui/KeyTable.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace kemuyi {

class BankStore;
class HoverTracker;
class ImageButton;
class LearnerProgress;
class PictureBox;
class SmartReviewPage;
class StatsPage;
struct ReviewPlan;

// What the learner chose in the study centre, for the practice window to carry out once the
// study window has closed.
struct StudyChoice
{
    enum class Kind { None, Run, Drill };
    Kind kind = Kind::None;
    // For a run: its mode or set, title, questions and the position to start at.
    StoppedRun run;
};

// The study centre (学习中心), shown modally over the practice window for its category: a
// column of pages on the left, each a list with its action. A page is one entry of the page
// table (its button, key and what it shows), so adding a page is adding an entry and its filler.
// 智能复习 and 统计 are pages of their own, shown in place of the list.
class StudyWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Page { Topics, Favourites, Book, Unanswered, Search, Resume, SmartReview, Stats };

    // `bank` is the practice window's, open on the working copy. `progress` may be null: then the
    // pages built on the learner's records are empty.
    StudyWindow(BankStore &bank, LearnerProgress *progress, QWidget *parent = nullptr);
    ~StudyWindow() override;

    // Reads the category's questions and the learner's records, and shows the first page.
    void prepare(const QString &categoryCode);
    // prepare(), then shows the window modally; returns what was chosen (Kind::None when closed).
    StudyChoice runFor(const QString &categoryCode);

    // Controls, bottom to top.
    PictureBox *background = nullptr;
    QLabel *titleBand = nullptr;
    QLabel *pageInfo = nullptr;
    QLineEdit *searchField = nullptr;
    QListWidget *entryList = nullptr;
    QLabel *statusLabel = nullptr;
    ImageButton *openButton = nullptr;
    ImageButton *removeButton = nullptr;
    ImageButton *exitButton = nullptr;
    SmartReviewPage *smartReviewPage = nullptr;
    StatsPage *statsPage = nullptr;
    // The page buttons, in page order.
    QVector<ImageButton *> pageButtons;

    Page page() const { return m_page; }
    const StudyChoice &choice() const { return m_choice; }
    // The ids the shown list stands for, in its order.
    const QVector<qint32> &listedQuestions() const { return m_listed; }

    void showPage(Page page);
    // The page's action (Enter, 开始练习): practise the list from the chosen entry (or the first);
    // on 智能复习 start the planned review, on 统计 export the records.
    void openClicked();
    // 移除收藏 (Delete): the chosen favourite leaves the favourites.
    void removeClicked();
    void exitClicked();
    void keyDown(KeyAction action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct PageEntry
    {
        Page page;
        const char *name;
        const char *stem;
        const char *caption;
        const char *tip;
        void (StudyWindow::*fill)();
    };
    static const std::vector<PageEntry> &pageTable();

    void createControls();
    void loadPictures();
    void fillTopics();
    void fillFavourites();
    void fillBook();
    void fillUnanswered();
    void fillSearch();
    void fillResume();
    void fillSmartReview();
    void fillStats();
    void startReview(const ReviewPlan &plan);
    void focusPage();
    void runSearch();
    void listQuestions(const QVector<qint32> &ids);
    void chooseRun(const QString &mode, const QString &title, const QVector<qint32> &ids, int position);
    int chosenRow() const;
    void pointerEntered(QWidget *control);
    void pointerLeft(QWidget *control);

    BankStore &m_bank;
    LearnerProgress *m_progress;
    QString m_category;
    Page m_page = Page::Topics;
    StudyChoice m_choice;
    QuestionSearch m_search;
    QVector<SearchHit> m_questions;               // the category's, in id order
    QHash<qint32, QString> m_stems;               // by id
    QHash<qint32, QuestionRecord> m_records;
    QVector<qint32> m_listed;
    QVector<QVector<qint32>> m_topicQuestions;    // per row of the topics page
    QStringList m_topicKeys;
    QStringList m_topicLabels;
    HoverTracker *m_hover = nullptr;
    HoverPictures m_hoverPictures;
};

} // namespace kemuyi

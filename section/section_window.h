#pragma once

#include "model_limits.h"
#include "section_drawing.h"
#include "section_inputs.h"
#include "section_painter.h"
#include "section_report.h"

#include <QWidget>

#include <memory>

class QAbstractFileIconProvider;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;

namespace section {

struct Document;

// The save dialog's icon provider: it tells a file's type by its name, never by its content.
std::unique_ptr<QAbstractFileIconProvider> suffixIconProvider();

// A view of one section: the section to scale, its four stress blocks side by side and the
// calculation step by step. It shows the results it is handed (setResult), one per change of
// the inputs of whoever computes them, and reads nothing else; of each it makes one report, once
// per result or typed MEd. While it is hidden or minimised it only keeps the latest result, and
// reports and draws it once it is shown again.
class SectionWindow : public QWidget
{
    Q_OBJECT

public:
    // At 100 % this leaves the drawing room for its chart with the usual sections; smaller
    // screens bound it, and the drawing scrolls where it must.
    static constexpr QSize defaultSize{1000, 860};
    // The calculation's share of the split at first; the reader moves it.
    static constexpr double textShare = 0.25;

    // A window of its own, owned by `owner`.
    explicit SectionWindow(QWidget *owner = nullptr);
    ~SectionWindow() override;

    // See section::exportTo.
    QString exportTo(const QString &path);

    // The texts shown now: the calculation, and the results as the main window shows them.
    QString calculationText() const;
    const beam::SectionLimits &limits() const { return m_report.limits; }
    const beam::MomentTexts &resultTexts() const { return m_picture.texts; }

    void print();
    void saveAs();
    void copy();

public Q_SLOTS:
    void setResult(const beam::SectionResult &result);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QSplitter *splitDrawingAndText(QLayout *design);
    void splitFirstTime();
    void follow(bool on);
    void redraw();
    void designMomentEdited();
    void showCalculation(const QString &calculation);
    Document document() const;

    SectionDrawing *m_drawing = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QLineEdit *m_designMoment = nullptr;
    QLabel *m_designReason = nullptr;
    QSplitter *m_splitter = nullptr;
    bool m_split = false;
    QLineEdit *m_aggregate = nullptr;
    QLabel *m_aggregateReason = nullptr;
    // A refused Dmax keeps the last one accepted, as a refused entry keeps the results.
    int m_lastAggregate = beam::defaultAggregate;
    beam::SectionResult m_result;
    bool m_hasResult = false;
    // Whether what is drawn is m_result: not while hidden or minimised.
    bool m_drawn = false;
    bool m_following = false;
    SectionReport m_report;
    Picture m_picture;
    QString m_calculation;
};

} // namespace section

#pragma once

#include "limits_text.h"
#include "model_limits.h"
#include "section_inputs.h"
#include "section_painter.h"

#include <QWidget>

#include <memory>

class QAbstractFileIconProvider;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace section {

struct Document;

// The save dialog's icon provider: it tells a file's type by its name, never by its content.
std::unique_ptr<QAbstractFileIconProvider> suffixIconProvider();

// The drawing on screen: paints the picture it is given, and only when it changes. A screen
// reader meets it as one graphic with a description; it takes the focus so that one can reach
// it, and shows a focus frame then.
class SectionDrawing : public QWidget
{
    Q_OBJECT

public:
    explicit SectionDrawing(QWidget *parent = nullptr);
    // `limits`: sentences about the models' limits, added to the picture's description.
    void setPicture(const Picture &picture, const QString &limits = {});
    const Picture &picture() const { return m_picture; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
};

// A view of one section: the section to scale, its four stress blocks side by side and the
// calculation step by step. It shows the results it is handed (setResult), one per tick of
// whoever computes them, and reads nothing else. While it is hidden or minimised it only keeps
// the latest of them, and draws it once it is shown again.
class SectionWindow : public QWidget
{
    Q_OBJECT

public:
    // A window of its own, owned by `owner`.
    explicit SectionWindow(QWidget *owner = nullptr);
    ~SectionWindow() override;

    // See section::exportTo.
    QString exportTo(const QString &path);

    // The texts shown now: the calculation, and the results as the main window shows them.
    QString calculationText() const;
    const beam::SectionLimits &limits() const { return m_limits; }
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
    void follow(bool on);
    void redraw();
    void designMomentEdited();
    void showCalculation(const QString &calculation);
    Document document() const;

    SectionDrawing *m_drawing = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QLineEdit *m_designMoment = nullptr;
    QLabel *m_designReason = nullptr;
    QLineEdit *m_aggregate = nullptr;
    QLabel *m_aggregateReason = nullptr;
    // A refused Dmax keeps the last one accepted, as a refused entry keeps the results.
    int m_lastAggregate = beam::defaultAggregate;
    beam::SectionLimits m_limits;
    beam::SectionResult m_result;
    bool m_hasResult = false;
    // Whether what is drawn is m_result: not while hidden or minimised.
    bool m_drawn = false;
    bool m_following = false;
    Picture m_picture;
    QString m_calculation;
};

} // namespace section

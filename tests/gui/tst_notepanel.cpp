// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QSignalSpy>

#include "widgets/NotePanel.h"

Q_DECLARE_METATYPE(vorn::NoteValue)

using namespace vorn;

namespace {

NoteValue noteOf(int number, int accidental = 0, bool fixed = false) {
    NoteValue note;
    note.Number = number;
    note.Accidental = static_cast<uint8_t>(accidental);
    note.SpellingFixed = fixed ? 1 : 0;
    return note;
}

// Pixels in box (shrunk by one so antialiased edges do not count) close to colour.
int pixelsNear(const QImage& image, const QRect& box, QColor colour) {
    int n = 0;
    const QRect inner = box.adjusted(1, 1, -1, -1);
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        for (int x = inner.left(); x <= inner.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) +
                    qAbs(c.blue() - colour.blue()) <
                90)
                ++n;
        }
    }
    return n;
}

QImage paint(TNotePanel& panel) {
    panel.resize(40, 20);
    return panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestNotePanel : public QObject {
    Q_OBJECT
private slots:
    void drawnParts_data() {
        QTest::addColumn<NoteValue>("note");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("glyph");
        QTest::addColumn<QString>("accidentalText");
        QTest::addColumn<QString>("digit");
        const int none = int(TNoteGlyph::None);
        QTest::newRow("69: plain a") << noteOf(69) << false << "a" << none << ""
                                     << "";
        QTest::newRow("60: lower case") << noteOf(60) << false << "c" << none << ""
                                        << "";
        QTest::newRow("59: upper case") << noteOf(59) << false << "B" << none << ""
                                        << "";
        QTest::newRow("72: c1") << noteOf(72) << false << "c" << none << ""
                                << "1";
        QTest::newRow("84: octave 6") << noteOf(84) << false << "c" << none << ""
                                      << "2";
        QTest::newRow("23: octave 0") << noteOf(23) << false << "B" << none << ""
                                      << "3";
        QTest::newRow("0: lowest") << noteOf(0) << false << "C" << none << ""
                                   << "4";
        QTest::newRow("negative counts as 0") << noteOf(-5) << false << "C" << none << ""
                                              << "4";
        QTest::newRow("61: sharp from the key")
            << noteOf(61) << false << "c" << int(TNoteGlyph::SharpSign) << ""
            << "";
        QTest::newRow("63: flat from the key")
            << noteOf(63) << false << "e" << int(TNoteGlyph::FlatSign) << ""
            << "";
        QTest::newRow("inverted flat is white")
            << noteOf(70) << true << "b" << int(TNoteGlyph::WhiteFlat) << ""
            << "";
        QTest::newRow("fixed double flat uses the flat")
            << noteOf(62, 1, true) << false << "e" << int(TNoteGlyph::FlatSign) << ""
            << "";
        QTest::newRow("fixed double sharp writes x")
            << noteOf(62, 5, true) << false << "c" << none << "x"
            << "";
        QTest::newRow("fixed natural draws nothing")
            << noteOf(60, 3, true) << false << "c" << none << ""
            << "";
        QTest::newRow("accidental ignored unless fixed")
            << noteOf(60, 4) << false << "c" << none << ""
            << "";
    }
    void drawnParts() {
        QFETCH(NoteValue, note);
        QFETCH(bool, inverted);
        QFETCH(QString, letter);
        QFETCH(int, glyph);
        QFETCH(QString, accidentalText);
        QFETCH(QString, digit);
        TNotePanel panel;
        panel.SetNote(note);
        panel.SetInverted(inverted);
        QCOMPARE(panel.letterText(), letter);
        QCOMPARE(int(panel.accidentalGlyph()), glyph);
        QCOMPARE(panel.accidentalText(), accidentalText);
        QCOMPARE(panel.octaveDigit(), digit);
        // Spelling works on a copy: the panel's note is the one it was given.
        QCOMPARE(panel.Note(), note);
    }

    void glyphsArePainted_data() {
        QTest::addColumn<NoteValue>("note");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("sharp") << noteOf(61) << false;
        QTest::newRow("flat") << noteOf(63) << false;
        QTest::newRow("white sharp") << noteOf(61) << true;
        QTest::newRow("white flat") << noteOf(63) << true;
        QTest::newRow("double flat") << noteOf(62, 1, true) << false;
    }
    void glyphsArePainted() {
        QFETCH(NoteValue, note);
        QFETCH(bool, inverted);
        TNotePanel panel;
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, inverted ? QColor(0, 0, 128) : QColor(230, 230, 230));
        panel.setPalette(palette);
        panel.SetNote(note);
        panel.SetInverted(inverted);
        const TNoteLayout layout = panel.Layout();
        const QImage image = paint(panel);
        const QColor ink = inverted ? Qt::white : Qt::black;
        QCOMPARE(layout.glyphCount, note.Accidental == acc_double_flat ? 2 : 1);
        for (int i = 0; i < layout.glyphCount; ++i) {
            const QRect box = layout.glyphBox.translated(i * panel.GlyphWidth(), 0).toAlignedRect();
            const int inked = pixelsNear(image, box, ink);
            const int area = (box.width() - 2) * (box.height() - 2);
            // A real glyph covers part of its box, not none and not all of it.
            QVERIFY2(inked > area / 20, qPrintable(QString::number(inked)));
            QVERIFY2(inked < area * 2 / 3, qPrintable(QString::number(inked)));
        }
    }

    // Letter, sign and octave digit stand apart at every size the program uses.
    void accidentalsKeepClearOfTheirNeighbours_data() {
        QTest::addColumn<NoteValue>("note");
        QTest::addColumn<int>("letterSize");
        QTest::addColumn<int>("octaveSize");
        QTest::addColumn<int>("glyphWidth");
        QTest::addColumn<int>("glyphHeight");
        QTest::newRow("c-sharp1") << noteOf(73) << 10 << 8 << 10 << 18;
        QTest::newRow("e-flat1") << noteOf(75) << 10 << 8 << 10 << 18;
        QTest::newRow("b-flat1") << noteOf(82) << 10 << 8 << 10 << 18;
        QTest::newRow("status bar c-sharp1") << noteOf(73) << 10 << 8 << 9 << 15;
        QTest::newRow("status bar e-flat1") << noteOf(75) << 10 << 8 << 9 << 15;
        QTest::newRow("large c-sharp2") << noteOf(85) << 16 << 12 << 14 << 24;
        QTest::newRow("small B-flat3") << noteOf(22) << 7 << 6 << 7 << 12;
    }
    void accidentalsKeepClearOfTheirNeighbours() {
        QFETCH(NoteValue, note);
        QFETCH(int, letterSize);
        QFETCH(int, octaveSize);
        QFETCH(int, glyphWidth);
        QFETCH(int, glyphHeight);
        TNotePanel panel;
        panel.SetLetterSize(letterSize);
        panel.SetOctaveSize(octaveSize);
        panel.SetGlyphWidth(glyphWidth);
        panel.SetGlyphHeight(glyphHeight);
        panel.SetNote(note);
        const TNoteLayout layout = panel.Layout();
        QVERIFY(layout.glyph != TNoteGlyph::None);
        QVERIFY(!layout.octaveDigit.isEmpty());
        QFont letterFont = panel.font();
        letterFont.setPointSize(letterSize);
        QFont digitFont = panel.font();
        digitFont.setPointSize(octaveSize);
        const int letterInkRight =
            layout.letterPos.x() +
            QFontMetrics(letterFont).tightBoundingRect(layout.letter).right();
        const int digitInkLeft =
            layout.octaveDigitPos.x() +
            QFontMetrics(digitFont).tightBoundingRect(layout.octaveDigit).left();
        const QRectF box = layout.glyphBox;
        QVERIFY2(box.left() - letterInkRight >= 1,
                 qPrintable(QStringLiteral("%1 / %2").arg(letterInkRight).arg(box.left())));
        QVERIFY2(digitInkLeft - box.right() >= 2,
                 qPrintable(QStringLiteral("%1 / %2").arg(box.right()).arg(digitInkLeft)));
    }

    void missingGlyphsLeaveThePanelEmpty() {
        TNotePanel panel;
        panel.SetNote(noteOf(61));
        TGlyphStore::Instance().Load(QStringLiteral("/nonexistent-glyph-folder"));
        const bool loaded = TGlyphStore::Instance().Loaded();
        const QString letter = panel.letterText();
        const QImage image = paint(panel);
        TGlyphStore::Instance().Load();
        QVERIFY(!loaded);
        QCOMPARE(letter, QString());
        // Only the bevel is dark; the inside holds the background alone.
        QCOMPARE(pixelsNear(image, image.rect().adjusted(2, 2, -2, -2), Qt::black), 0);
        QVERIFY(TGlyphStore::Instance().Loaded());
        QCOMPARE(panel.letterText(), QStringLiteral("c"));
    }

    void clickFocusesAColouredOwner_data() {
        QTest::addColumn<bool>("coloured");
        QTest::newRow("window colour") << false;
        QTest::newRow("own colour") << true;
    }
    void clickFocusesAColouredOwner() {
        QFETCH(bool, coloured);
        QWidget window;
        auto* other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        auto* owner = new QWidget(&window);
        owner->setGeometry(0, 30, 60, 25);
        owner->setFocusPolicy(Qt::NoFocus); // only the panel's rule can focus it
        owner->setBackgroundRole(QPalette::Base);
        if (coloured) {
            QPalette p = owner->palette();
            p.setColor(QPalette::Base, QColor(0, 0, 128));
            owner->setPalette(p);
        }
        auto* panel = new TNotePanel(owner);
        panel->setGeometry(2, 2, 30, 17);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());

        QSignalSpy clicked(panel, &TNotePanel::clicked);
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(owner->hasFocus(), coloured);
    }
};

QTEST_MAIN(TestNotePanel)
#include "tst_notepanel.moc"

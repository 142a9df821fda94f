// The adjustment dialog driven by its controls: the enlargement range, the frame moving with zoom
// and shifts, the decision refused outside the photo, the dial, the colour correction and its
// histogram, the ways out, photos that cannot be adjusted, the resize rule and Tab.
#include "AdjustHarness.h"
#include "WindowHarness.h"
#include "files/LocalPath.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDial>
#include <QTest>

using namespace quorvane;
using test::AdjustHarness;

TEST(AdjustmentDialog, EnlargementRunsToThePhotosZoomLimit) {
    const struct {
        bool japanese;
        QSize photo;
        const char* caption;
        int maximum;
    } cases[] = {{true, {6000, 4500}, "拡大(100~508%)", 508},
                 {true, {1000, 700}, "拡大(100%)", 100},
                 {false, {6000, 4500}, "Expansion(100~508%)", 508},
                 {false, {1000, 700}, "Expansion(100%)", 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        AdjustHarness h(c.japanese);
        EXPECT_TRUE(
            h.dialog->windowTitle().endsWith(c.japanese ? "　<画像調整>" : "　<Image adjustment>"));
        const QString photo = test::DrawnPhoto(c.photo.width(), c.photo.height(), "jpg");
        h.adjust(photo, test::OnePhotoLayout(), [&] {
            EXPECT_EQ(h.text("Label1"), c.caption);
            EXPECT_EQ(h.bar(1)->isEnabled(), c.maximum > 100);
            EXPECT_EQ(h.bar(1)->minimum(), 100);
            EXPECT_EQ(h.bar(1)->maximum(), c.maximum);
            EXPECT_TRUE(h.messages.isEmpty());
            h.click("Button2");
        });
    }
}

TEST(AdjustmentDialog, DecisionTakesTheMovedFrameOnlyInsideThePhoto) {
    // A 2400 x 1800 photo, not trimmed: the crop frame is the whole photo, the zoom limit 203.
    // A shift asked beyond the photo's edge stops at the edge, so the decision always holds.
    const struct {
        int zoom, shiftX, shiftY; // asked
        int takenX, takenY;       // what the shift sliders take
        QRectF selection;
    } cases[] = {
        {100, 0, 0, 0, 0, {0, 0, 2400, 1800}},         {200, 0, 0, 0, 0, {600, 450, 1200, 900}},
        {200, 25, -25, 25, -25, {1200, 0, 1200, 900}}, // on the right and top edges
        {200, 26, 0, 25, 0, {1200, 450, 1200, 900}},   {100, 50, 0, 0, 0, {0, 0, 2400, 1800}},
        {150, 0, 20, 0, 16, {400, 588, 1600, 1200}}};
    AdjustHarness h;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zoom << " " << c.shiftX << " " << c.shiftY);
        h.messages.clear();
        const PhotoAdjustment result =
            h.adjust(test::DrawnPhoto(2400, 1800), test::OnePhotoLayout(), [&] {
                const QRectF unmoved = h.dialog->shownFrame();
                ASSERT_FALSE(unmoved.isEmpty());
                h.bar(1)->setValue(c.zoom);
                h.bar(2)->setValue(c.shiftX);
                h.bar(3)->setValue(c.shiftY);
                EXPECT_EQ(h.bar(2)->value(), c.takenX);
                EXPECT_EQ(h.bar(3)->value(), c.takenY);
                // The red frame shrinks about the centre and moves by the shifts.
                const QRectF shown = h.dialog->shownFrame();
                EXPECT_NEAR(shown.width(), unmoved.width() * 100 / c.zoom, 0.01);
                const QPointF moved(c.takenX * unmoved.width() / 100,
                                    c.takenY * unmoved.height() / 100);
                EXPECT_NEAR(shown.center().x(), unmoved.center().x() + moved.x(), 1.0);
                EXPECT_NEAR(shown.center().y(), unmoved.center().y() + moved.y(), 1.0);
                h.click("Button3");
            });
        EXPECT_TRUE(result.accepted);
        EXPECT_TRUE(h.messages.isEmpty());
        EXPECT_EQ(QRectF(result.sx, result.sy, result.w, result.h), c.selection);
        EXPECT_EQ(h.text("Label5"), SelectionStatus(c.selection));
    }
}

// The shift sliders follow the zoom: they run as far as the frame stays on the photo, are
// disabled where it has no room, and a shift the new range leaves out is pulled in with its
// label. Steps on one showing of a 2400 x 1800 photo whose frame is the whole photo.
TEST(AdjustmentDialog, ShiftSlidersKeepTheFrameOnThePhoto) {
    const struct {
        int zoom, shiftX, shiftY; // set in this order
        int low, high;            // the range of both shift sliders
        int takenX, takenY;
        const char *rl, *td;
    } steps[] = {{100, 30, -30, 0, 0, 0, 0, "RL:0", "TD:0"},
                 {200, 30, -30, -25, 25, 25, -25, "RL:0.25", "TD:-0.25"},
                 {150, 25, -25, -16, 16, 16, -16, "RL:0.16", "TD:-0.16"},
                 {110, 16, -16, -4, 4, 4, -4, "RL:0.04", "TD:-0.04"},
                 {100, 4, -4, 0, 0, 0, 0, "RL:0", "TD:0"}};
    AdjustHarness h;
    h.adjust(test::DrawnPhoto(2400, 1800), test::OnePhotoLayout(), [&] {
        for (const auto& s : steps) {
            SCOPED_TRACE(s.zoom);
            h.bar(1)->setValue(s.zoom);
            h.bar(2)->setValue(s.shiftX);
            h.bar(3)->setValue(s.shiftY);
            for (int n : {2, 3}) {
                // Without room a bar is disabled with its handle in the middle, at 0.
                EXPECT_EQ(h.bar(n)->isEnabled(), s.low < s.high) << n;
                EXPECT_EQ(h.bar(n)->minimum(), s.low < s.high ? s.low : -50) << n;
                EXPECT_EQ(h.bar(n)->maximum(), s.low < s.high ? s.high : 50) << n;
            }
            EXPECT_EQ(h.bar(2)->value(), s.takenX);
            EXPECT_EQ(h.bar(3)->value(), s.takenY);
            EXPECT_EQ(h.text("Label7"), s.rl);
            EXPECT_EQ(h.text("Label8"), s.td);
        }
        // The zoom's reset pulls the shifts back as well.
        h.bar(1)->setValue(200);
        h.bar(2)->setValue(25);
        h.click("Button4");
        EXPECT_EQ(h.bar(2)->value(), 0);
        EXPECT_FALSE(h.bar(2)->isEnabled());
        h.click("Button3");
    });
    EXPECT_TRUE(h.messages.isEmpty());
}

TEST(AdjustmentDialog, DialTurnsThePreviewAtMostFifteenDegrees) {
    const struct {
        int dial;
        const char* label;
        double turn;
        float angle;
    } cases[] = {{170, "R:15", 15, 17}, {-170, "R:-15", -15, -17}, {45, "R:4.5", 4.5, 4.5}};
    AdjustHarness h;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dial);
        const PhotoAdjustment result =
            h.adjust(test::DrawnPhoto(400, 300), test::OnePhotoLayout(), [&] {
                h.control<QDial>("ArcDial1")->setValue(c.dial);
                EXPECT_EQ(h.text("Label4"), c.label);
                EXPECT_EQ(h.dialog->previewRotation(), c.turn);
                h.click("Button3");
            });
        EXPECT_TRUE(result.accepted);
        EXPECT_EQ(result.angle, c.angle);
    }
}

// Each reset button puts its control back and runs the control's handler, even when the value
// was already there: the status line then shows the selection and the control's own value.
TEST(AdjustmentDialog, ResetButtonsRunTheirControlsHandler) {
    const struct {
        const char* button;
        const char* control;
        int moved; // value before the press; 0 leaves the control as shown
        int value;
        const char* label;
        const char* text;
    } cases[] = {{"Button4", "TrackBar1", 0, 100, "Label6", "Zoom:1"},
                 {"Button4", "TrackBar1", 150, 100, "Label6", "Zoom:1"},
                 {"Button5", "TrackBar2", 0, 0, "Label7", "RL:0"},
                 {"Button5", "TrackBar2", 20, 0, "Label7", "RL:0"},
                 {"Button7", "TrackBar3", -20, 0, "Label8", "TD:0"},
                 {"Button6", "ArcDial1", 0, 0, "Label4", "R:0"},
                 {"Button6", "ArcDial1", 45, 0, "Label4", "R:0"}};
    AdjustHarness h;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << " from " << c.moved);
        h.adjust(test::DrawnPhoto(2400, 1800), test::OnePhotoLayout(), [&] {
            auto* control = h.control<QAbstractSlider>(c.control);
            if (c.moved != 0)
                control->setValue(c.moved);
            h.click(c.button);
            EXPECT_EQ(control->value(), c.value);
            EXPECT_EQ(h.text(c.label), c.text);
            EXPECT_EQ(h.text("Label5"), "sx:0 sy:0 w:2400 h:1800");
            EXPECT_EQ(h.dialog->previewRotation(), 0);
            h.click("Button2");
        });
    }
}

TEST(AdjustmentDialog, ColourCorrectionShowsInThePreviewAndInTheHistogramWhenTicked) {
    AdjustHarness h;
    for (const bool ticked : {true, false}) {
        SCOPED_TRACE(ticked);
        const PhotoAdjustment result =
            h.adjust(test::DrawnPhoto(400, 300), test::OnePhotoLayout(), [&] {
                const QImage histogram = h.dialog->histogramPicture();
                const QImage uncorrected = h.dialog->uncorrectedPreview();
                const QPoint middle(uncorrected.width() / 2, uncorrected.height() / 2);
                h.control<QCheckBox>("CheckBox1")->setChecked(ticked);
                h.bar(4)->setValue(25);
                h.bar(6)->setValue(-25);
                EXPECT_EQ(QStringList({h.text("Edit1"), h.text("Edit2"), h.text("Edit3")}),
                          QStringList({"25", "0", "-25"}));
                // The preview is corrected whatever the box says; the histogram only when ticked.
                const QRgb before = uncorrected.pixel(middle),
                           after = h.dialog->preview().pixel(middle);
                EXPECT_EQ(qRed(after), std::min(255, qRed(before) * 125 / 100));
                EXPECT_EQ(qGreen(after), qGreen(before));
                EXPECT_EQ(qBlue(after), qBlue(before) * 75 / 100);
                EXPECT_EQ(h.dialog->histogramPicture() != histogram, ticked);

                // Button8: bars and boxes back to 0, preview and histogram uncorrected.
                h.click("Button8");
                EXPECT_EQ(h.bar(4)->value() | h.bar(5)->value() | h.bar(6)->value(), 0);
                EXPECT_EQ(QStringList({h.text("Edit1"), h.text("Edit2"), h.text("Edit3")}),
                          QStringList({"0", "0", "0"}));
                EXPECT_EQ(h.dialog->preview(), uncorrected);
                EXPECT_EQ(h.dialog->histogramPicture(), histogram);
                h.bar(5)->setValue(10);
                h.click("Button3");
            });
        EXPECT_EQ(result.colour_correction, ticked);
        EXPECT_EQ(result.green, 10.0f);
    }
}

TEST(AdjustmentDialog, EveryWayOutButDecisionIsACancelAndTheNextShowingStartsAfresh) {
    const std::function<void(AdjustHarness&)> ways[] = {
        [](AdjustHarness& h) { h.click("Button2"); },
        [](AdjustHarness& h) { h.dialog->close(); }, // by the window's frame
        [](AdjustHarness& h) { QTest::keyClick(h.dialog.get(), Qt::Key_Escape); }};
    AdjustHarness h;
    const QString photo = test::DrawnPhoto(2400, 1800);
    for (const auto& closeIt : ways) {
        const PhotoAdjustment result = h.adjust(photo, test::OnePhotoLayout(), [&] {
            for (int i = 1; i <= 4; ++i)
                h.bar(i)->setValue(i == 1 ? 150 : 5);
            h.control<QDial>("ArcDial1")->setValue(30);
            closeIt(h);
        });
        EXPECT_FALSE(result.accepted);
        h.adjust(photo, test::OnePhotoLayout(), [&] {
            EXPECT_EQ(h.bar(1)->value(), 100);
            for (int i = 2; i <= 6; ++i)
                EXPECT_EQ(h.bar(i)->value(), 0) << i;
            EXPECT_EQ(h.dialog->previewRotation(), 0);
            EXPECT_EQ(h.text("Edit1"), "0");
            EXPECT_TRUE(h.text("Label5").startsWith("拡大率: "));
            h.click("Button2");
        });
    }
}

TEST(AdjustmentDialog, PhotosThatCannotBeAdjustedLoadNothing) {
    test::TempDir dir;
    const QString missing = test::Q(dir / "gone.jpg"), broken = test::Q(dir / "broken.jpg");
    test::WriteFile(dir / "broken.jpg", "not a photo");
    // Named in CP932 ("テスト.jpg"): reached by its bytes, named readably.
    test::WriteFile(dir / "\x83\x65\x83\x58\x83\x67.jpg", "not a photo");
    const QString foreign =
        LocalPath::FromBytes(
            QByteArray::fromStdString((dir / "\x83\x65\x83\x58\x83\x67.jpg").string()))
            .text();
    const QString photo = test::DrawnPhoto(400, 300);
    const struct {
        QString path;
        int photos;
        QString message;
    } cases[] = {
        {photo, 4, "複数枚設定は調整出来ません。"},
        {missing, 4, "ファイルが存在しません。"},
        {broken, 1,
         "画像読込みエラーです。画像が存在するか、サイズが大きすぎないか確認してください。\n" +
             broken},
        {foreign, 1,
         "画像読込みエラーです。画像が存在するか、サイズが大きすぎないか確認してください。\n" +
             test::Q(dir / "テスト.jpg")}};
    AdjustHarness h;
    // The photo shown before must not linger in the preview of one that cannot be loaded.
    h.adjust(photo, test::OnePhotoLayout(), [&] { h.click("Button2"); });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        h.messages.clear();
        const PhotoAdjustment result = h.adjust(c.path, test::OnePhotoLayout(c.photos), [&] {
            EXPECT_EQ(h.messages, QStringList{c.message});
            EXPECT_TRUE(h.dialog->cropSteps().empty());
            EXPECT_FALSE(h.dialog->shownFrame().isValid());
            const QImage preview = h.dialog->preview();
            EXPECT_EQ(preview.pixel(preview.width() / 2, preview.height() / 2), 0xff000000);
            // "決定" without a photo keeps the dialog open and says nothing more.
            h.click("Button3");
            EXPECT_TRUE(h.dialog->isVisible());
            EXPECT_EQ(h.messages.size(), 1);
            h.dialog->close();
        });
        EXPECT_FALSE(result.accepted);
        EXPECT_FALSE(result.inUse());
    }
}

TEST(AdjustmentDialog, ResizeKeepsTheMinimumAndRebuildsThePreview) {
    AdjustHarness h;
    h.adjust(test::DrawnPhoto(2400, 1800), test::OnePhotoLayout(), [&] {
        const struct {
            QSize asked, expected;
            int zoomAfter; // a changed size starts again from the defaults
        } cases[] = {{{900, 600}, {1100, 800}, 180}, {{1250, 900}, {1250, 900}, 100}};
        for (const auto& c : cases) {
            h.bar(1)->setValue(180);
            h.dialog->resize(c.asked);
            QTest::qWait(400);
            EXPECT_EQ(h.dialog->size(), c.expected);
            const QWidget* box = h.control("ScrollBox1");
            const QSize inner = box->size() - QSize(25, 25);
            EXPECT_EQ(h.control("Image1")->size(), inner);
            EXPECT_EQ(h.dialog->preview().size(), inner);
            EXPECT_EQ(box->geometry().right(), h.dialog->width() - 16);
            EXPECT_EQ(h.control("Button1")->geometry().right(), h.dialog->width() - 16);
            EXPECT_EQ(h.bar(1)->value(), c.zoomAfter);
        }
        h.click("Button2");
    });
}

// Every showing puts the keyboard on the zoom control, whatever had it when the last photo was
// decided; when the photo cannot be enlarged, on the first adjusting control that can be used,
// never on a button.
TEST(AdjustmentDialog, KeyboardStartsOnTheZoomControl) {
    const struct {
        QSize photo;
        const char* first; // the control expected, or nullptr: any usable slider or dial
    } cases[] = {{{2400, 1800}, "TrackBar1"}, {{2400, 1800}, "TrackBar1"}, {{1000, 700}, nullptr}};
    AdjustHarness h(false);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.photo.width());
        h.adjust(test::DrawnPhoto(c.photo.width(), c.photo.height()), test::OnePhotoLayout(), [&] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(h.dialog.get()));
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            if (c.first) {
                EXPECT_EQ(focused->objectName().toStdString(), c.first);
            } else {
                const std::string name = focused->objectName().toStdString();
                EXPECT_TRUE(qobject_cast<QAbstractSlider*>(focused)) << name;
                EXPECT_TRUE(focused->isEnabled()) << name;
            }
            h.control("Button3")->setFocus();
            h.click("Button3");
        });
    }
}

TEST(AdjustmentDialog, TabReachesEveryControlAndFieldsCarryTheirCaptions) {
    AdjustHarness h(false);
    h.adjust(test::DrawnPhoto(2400, 1800), test::OnePhotoLayout(), [&] {
        QStringList reached;
        QWidget* w = h.bar(1);
        do {
            if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(h.dialog.get()))
                reached << w->objectName();
            w = w->nextInFocusChain();
        } while (w != h.bar(1));
        EXPECT_EQ(reached, QString("TrackBar1 Button4 TrackBar2 Button5 TrackBar3 Button7 ArcDial1 "
                                   "Button6 TrackBar4 Edit1 TrackBar5 Edit2 TrackBar6 Edit3 "
                                   "CheckBox1 Button8 Image4 Button3 Button2 Button1 ScrollBox1")
                               .split(' '));
        for (const QString& name : reached) {
            QWidget* control = h.control(qPrintable(name));
            if (!qobject_cast<QAbstractButton*>(control)) {
                EXPECT_FALSE(control->accessibleName().isEmpty()) << name.toStdString();
            }
        }
        EXPECT_EQ(h.bar(1)->accessibleName(), h.text("Label1"));
        EXPECT_EQ(h.control("Image4")->accessibleName(), "Histogram");
        h.click("Button2");
    });
}

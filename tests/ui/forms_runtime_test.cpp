// SPDX-License-Identifier: MIT
// The contracts of the forms runtime that the game leans on.
#include "model/format_by_pattern.h"
#include "support/fake_host.h"
#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/numbers.h"
#include "ui/runtime.h"
#include "ui/window_slot.h"

#include <clocale>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Forms : ::testing::Test {
    std::ostringstream transcript;
    FakeHost host{transcript};
    ui::Runtime runtime{host};
    ui::Form form{runtime, "test", ui::WindowStyle::Dialog};
};

// A value set to what it already is raises no click, and selecting an option clears only the
// options in its own container. That every change and every user's click raises one click is
// the scenarios' (Show Bearing cleared by New Search, the options clicked).
TEST_F(Forms, aValueSetAgainRaisesNoClickAndEachContainerHoldsOneGroupOfOptions) {
    auto& box = form.add<ui::CheckBox>("chk");
    auto& frameA = form.add<ui::Frame>("frameA");
    auto& frameB = form.add<ui::Frame>("frameB");
    auto& a0 = form.add<ui::OptionButton>("opt", 0, &frameA);
    auto& a1 = form.add<ui::OptionButton>("opt", 1, &frameA);
    auto& b0 = form.add<ui::OptionButton>("other", 0, &frameB);
    a0.setValue(true);
    b0.setValue(true);
    int clicks = 0;
    box.onClick = a0.onClick = a1.onClick = [&] { ++clicks; };
    box.setValue(1);
    box.setValue(1);
    a1.setValue(true);
    a1.setValue(true);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(a0.value());
    EXPECT_TRUE(b0.value());
}

// The nearest topic wins, found through any frame between that has none.
TEST_F(Forms, f1OnAControlWithoutATopicGivesTheTopicOfTheFrameAroundIt) {
    auto& frame = form.add<ui::Frame>("frame");
    auto& inner = form.add<ui::Frame>("inner", -1, &frame);
    auto& button = form.add<ui::Button>("button", -1, &inner);
    form.helpContextId = 10;
    frame.helpContextId = 20;
    EXPECT_EQ(ui::Runtime::helpTopicFor(form, &button), 20);
}

// Text of several lines is measured, and printed, line by line. Controls kept in place and
// sizes measured in a surface's own units are the map scenarios'.
TEST_F(Forms, printingMovesBelowEveryLineOfItsText) {
    auto& map = form.add<ui::PictureBox>("map");
    map.setGeometry(60, 30, 5805, 5775);
    map.setScaleHeight(200);
    const double lineHeight = map.textHeight("x");
    EXPECT_NEAR(map.textHeight("a\r\nb"), 2 * lineHeight, 1e-9);
    map.currentY = 10;
    map.print("a\nb");
    EXPECT_NEAR(map.currentY, 10 + 2 * lineHeight, 1e-9);
}

struct Dialog : ui::Form {
    explicit Dialog(ui::Runtime& rt) : Form(rt, "dialog", ui::WindowStyle::Dialog) {
        close = &add<ui::Button>("cmdClose");
        close->setCaption("Close");
        close->onClick = [this] { unload(); };
    }
    ~Dialog() override {
        if (destroyed) *destroyed = true;
    }
    ui::Button* close;
    bool* destroyed = nullptr;
};

TEST_F(Forms, anUnloadedWindowIsCreatedAfreshWhenNextReferredTo) {
    ui::WindowSlot<Dialog> slot(runtime,
                                [](ui::Runtime& rt) { return std::make_unique<Dialog>(rt); });
    EXPECT_EQ(slot.existing(), nullptr);
    Dialog& first = slot.get(); // referring to it creates it, hidden
    EXPECT_FALSE(first.visible());
    EXPECT_EQ(runtime.findForm("dialog"), &first);
    first.show();
    first.close->setCaption("changed");

    runtime.click(*first.close); // the window unloads itself from its own click handler
    EXPECT_EQ(slot.existing(), nullptr);
    EXPECT_EQ(runtime.findForm("dialog"), nullptr);

    Dialog& second = slot.get();
    EXPECT_FALSE(second.visible());
    EXPECT_EQ(second.close->caption(), "Close");
}

TEST_F(Forms, aWindowUnloadingItselfLivesUntilItsEventIsOver) {
    bool destroyed = false;
    ui::WindowSlot<Dialog> slot(runtime, [&](ui::Runtime& rt) {
        auto dialog = std::make_unique<Dialog>(rt);
        dialog->destroyed = &destroyed;
        return dialog;
    });
    Dialog& dialog = slot.get();
    dialog.close->onClick = [&] {
        // Held outside this handler, which belongs to the window and would go with it.
        bool& gone = destroyed;
        Dialog& window = dialog;
        auto& windowSlot = slot;
        window.unload();
        // Unloaded at once, yet the handler may go on using its window.
        EXPECT_EQ(windowSlot.existing(), nullptr);
        ASSERT_FALSE(gone);
        window.close->setCaption("still here");
        EXPECT_EQ(window.close->caption(), "still here");
    };
    runtime.click(*dialog.close);
    EXPECT_TRUE(destroyed);
}

TEST_F(Forms, noTickOrClickIsHandledWhileABoxIsOpenNorAfterTheEnd) {
    auto& timer = form.add<ui::Timer>("timer");
    auto& button = form.add<ui::Button>("button");
    int ticks = 0, clicks = 0;
    timer.onTick = [&] { ++ticks; };
    button.onClick = [&] {
        ++clicks;
        runtime.messageBox("hello");
    };
    host.whileOpen = [&] {
        runtime.tick(timer);   // dropped, not queued
        runtime.click(button); // the box is modal
    };
    runtime.click(button);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ticks, 0);

    button.setEnabled(false);
    runtime.click(button); // a disabled button cannot be clicked
    EXPECT_EQ(clicks, 1);

    runtime.tick(timer);
    EXPECT_EQ(ticks, 1);
    runtime.end();
    runtime.tick(timer);
    button.setEnabled(true);
    runtime.click(button);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(transcript.str().find("ended\n"), std::string::npos);
}

// A box belongs over the window whose event asked for it: a dialog's button, or the main
// window's timer even while a dialog is in front; a menu names no window.
TEST_F(Forms, eachBoxKnowsTheWindowThatAskedForIt) {
    ui::Form main{runtime, "main", ui::WindowStyle::Main};
    auto& timer = main.add<ui::Timer>("timer");
    auto& button = form.add<ui::Button>("button");
    ui::MenuItem item = ui::menuCommand("mnuItem", "&Item");
    std::vector<const ui::Form*> owners;
    host.whileOpen = [&] { owners.push_back(runtime.eventForm()); };
    timer.onTick = button.onClick = item.onClick = [&] { runtime.messageBox("hello"); };
    runtime.click(button);
    runtime.tick(timer);
    runtime.menu(item);
    EXPECT_EQ(owners, (std::vector<const ui::Form*>{&form, &main, nullptr}));
    EXPECT_EQ(runtime.eventForm(), nullptr);
}

TEST(Numbers, readNumberTakesTheLeadingNumberAndNeverFails) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0", 0},       {"1.", 1},   {".3", 0.3},   {"12.5 nm", 12.5}, {"  7", 7},
        {"-2.5", -2.5}, {"1 2", 12}, {"1e3", 1000}, {"2.5e", 2.5},     {"abc", 0},
        {"", 0},        {".", 0},    {"-", 0},      {"1e999", 0},      {"3..4", 3},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ui::readNumber(c.text), c.value) << c.text;
}

TEST(Numbers, textsUseAPointWhateverTheLocale) {
    // The real program runs in the user's locale; a results box must read the same everywhere.
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(ui::plainDecimal(12.25), "12.25");
    EXPECT_EQ(formatByPattern(2.25, "##0.#"), "2.3");
    EXPECT_DOUBLE_EQ(ui::readNumber("1.3"), 1.3);
    std::setlocale(LC_NUMERIC, before.c_str());
}

TEST(Numbers, roundingGoesToTheEvenNeighbourAndSaturatesIn16Bits) {
    EXPECT_EQ(ui::roundHalfEven(10.5), 10);
    EXPECT_EQ(ui::roundHalfEven(11.5), 12);
    EXPECT_EQ(ui::roundHalfEven(-2.5), -2);
    EXPECT_EQ(ui::toInt16(40000), 32767);
    EXPECT_EQ(ui::toInt16(-40000), -32768);
    EXPECT_EQ(ui::toInt16(32766.5), 32766);
}

} // namespace

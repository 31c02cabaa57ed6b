// SPDX-License-Identifier: MIT
#pragma once

struct ClassWindow;

// Connects the window's buttons, tables and timer to what they do.
void connectClassWindow(ClassWindow& w);

// The status line from what has arrived, what is still being read and what failed.
void showClassStatus(ClassWindow& w);

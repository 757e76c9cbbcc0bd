// The main window for the screenshots program: one picture per tab, with a lift that has
// something to show (alarms ticked, a preset fault list, the cab travelling).
#pragma once

class TScreenshotList;

void AddMainWindow(TScreenshotList& list);

// The simulator's dialogs for the screenshots program: the settings dialog (one picture per tab),
// the about box and the add-fault dialog.
#pragma once

class TScreenshotList;

void AddSimulatorDialogs(TScreenshotList& list);

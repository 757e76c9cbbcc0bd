// The utility windows' entries for the screenshots program.
#pragma once

class TScreenshotList;

void AddUtilityWindows(TScreenshotList& list);

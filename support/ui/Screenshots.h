// Pictures of the program's windows, made without a display (Qt's offscreen platform).
//
// Each folder with windows offers a function that adds its windows to a TScreenshotList, one named
// factory per picture (a window with tabs adds one entry per tab, each showing that tab). The
// screenshots program collects all of them and saves NAME.png at the window's own size and
// NAME-small.png at the smallest size the window allows.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class QWidget;

using TWindowFactory = std::function<std::unique_ptr<QWidget>()>;

struct TScreenshot {
  std::string Name;
  TWindowFactory Make;
};

class TScreenshotList {
public:
  void Add(std::string name, TWindowFactory make);
  const std::vector<TScreenshot>& Items() const { return items_; }

private:
  std::vector<TScreenshot> items_;
};

// Saves the pictures of the entries whose names contain filter (all with an empty filter) into
// folder; tells each file written, and each failure, on log. Returns the number of failures.
int SaveScreenshots(const TScreenshotList& list, const QString& folder, const QString& filter, std::ostream& log);

// The three places of the main window where the link thread shows its texts.
//
// The link thread calls these only through TUiCall, so they always run on the user-interface
// thread.
#pragma once

#include <string>

class TLinkDisplay {
public:
  virtual ~TLinkDisplay() = default;
  // Status panel 0: the connection state.
  virtual void ShowLinkState(const std::string& text) = 0;
  // Status panel 1: progress and the request counter.
  virtual void ShowLinkInfo(const std::string& text) = 0;
  // Status panel 1: request and link errors.
  virtual void ShowLinkError(const std::string& text) = 0;
};

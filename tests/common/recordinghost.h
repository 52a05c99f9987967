// A host that records every call, for checking what a run showed and in which order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "script/host.h"

namespace nosk::testsupport {

class RecordingHost : public script::Host {
 public:
  void SetStatusText(std::string_view text) override {
    statusText = text;
    calls.push_back("status " + std::string(text));
  }
  void ClearStatusText() override {
    statusText.clear();
    calls.push_back("clear");
  }
  void BeginProgress() override {
    statusText.clear();
    progressVisible = true;
    calls.push_back("begin");
  }
  void EndProgress() override {
    statusText.clear();
    progressVisible = false;
    position = 0;
    calls.push_back("end");
  }
  void SetProgressPosition(int newPosition) override {
    position = newPosition;
    positions.push_back(newPosition);
    calls.push_back("position " + std::to_string(newPosition));
  }
  void Repaint() override { calls.push_back("repaint"); }
  void ShowMessage(std::string_view title, std::string_view text) override {
    messages.push_back(std::string(title) + ": " + std::string(text));
    calls.push_back("message " + messages.back());
  }
  void ShowNotice(std::string_view text) override {
    notices.push_back(std::string(text));
    calls.push_back("notice " + notices.back());
  }

  std::vector<std::string> calls;
  std::vector<std::string> messages;
  std::vector<std::string> notices;
  std::vector<int> positions;
  std::string statusText;
  bool progressVisible = false;
  int position = 0;
};

}  // namespace nosk::testsupport

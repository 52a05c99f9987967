// A host that records every call, for checking what a run showed and in which order.
#pragma once

#include <string>
#include <vector>

#include "engine/host.h"
#include "script/message.h"

namespace nosk::testsupport {

class RecordingHost : public engine::Host {
 public:
  void SetStatusText(const script::Message& text) override {
    statusText = script::English(text);
    calls.push_back("status " + statusText);
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
  void ShowNotice(const script::Message& text) override {
    notices.push_back(script::English(text));
    calls.push_back("notice " + notices.back());
  }

  std::vector<std::string> calls;
  std::vector<std::string> notices;
  std::vector<int> positions;
  std::string statusText;
  bool progressVisible = false;
  int position = 0;
};

}  // namespace nosk::testsupport

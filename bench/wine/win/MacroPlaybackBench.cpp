// Playing 10,000 recorded keystrokes into an empty document of the main
// window, until the recorder is idle and the queue is empty, against the
// same text typed through the editor's commands into another empty
// document, pumped until idle.
//   usage: macro_wine_playback_bench
// Prints "name: value" lines on stdout; details on stderr.
#include "app/settings/FileTypes.h"
#include "app/macros/MacroEvents.h"
#include "app/macros/Recorder.h"
#include "app/macros/win/MacroHook.h"
#include "app/documents/win/MainForm.h"
#include "editor/EditorCommands.h"
#include "platform/Registry.h"
#include "platform/win/Application.h"
#include "WineBench.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Nothing posted or typed waits; timers and repaints do not count.
bool QueueEmpty() { return HIWORD(::GetQueueStatus(QS_POSTMESSAGE | QS_INPUT)) == 0; }

void PumpUntilIdle() {
  while (MacroRecorder->GetState() != rsIdle || !QueueEmpty()) Application->ProcessMessages();
}

// Letters, blanks and Shift capitals, a line break every 60 keystrokes.
std::string BenchText(int keystrokes) {
  std::string text;
  for (int i = 0; i < keystrokes; ++i) {
    if (i % 60 == 59) {
      text += '\n';
    } else if (i % 7 == 6) {
      text += ' ';
    } else {
      text += char((i % 11 == 0 ? 'A' : 'a') + i % 26);
    }
  }
  return text;
}

void AddKey(std::vector<unsigned char>& bytes, uint32_t message, uint32_t vk) {
  const uint32_t scan = ::MapVirtualKeyA(vk, 0);
  const bool up = message == kWmKeyUp;
  const TMacroEvent e = MakeKeyEvent(message, vk, 1u | scan << 16 | (up ? 0xC0000000u : 0u), 0, 0);
  unsigned char record[kMacroRecordSize];
  EncodeMacroEvent(e, record);
  bytes.insert(bytes.end(), record, record + kMacroRecordSize);
}

std::vector<unsigned char> Records(const std::string& text) {
  std::vector<unsigned char> bytes;
  for (char c : text) {
    const SHORT key = c == '\n' ? VK_RETURN : ::VkKeyScanA(c);
    const bool shift = c != '\n' && (HIBYTE(key) & 1);
    if (shift) AddKey(bytes, kWmKeyDown, VK_SHIFT);
    AddKey(bytes, kWmKeyDown, LOBYTE(key));
    AddKey(bytes, kWmKeyUp, LOBYTE(key));
    if (shift) AddKey(bytes, kWmKeyUp, VK_SHIFT);
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const int keystrokes = argc > 1 ? std::atoi(argv[1]) : 10000;
  return wine_bench::Run([&] {
    TApplication application;
    SetProgramRegistryKey("\\Software\\Tarnquill\\Bench");
    SetDefaultFileTypes();
    CreateMacroRecorder();
    auto* form = new TMainForm(&application);
    form->SetBounds(0, 0, 800, 600);
    form->Show();
    ::SetForegroundWindow(form->GetHandle());
    application.ProcessMessages();

    const std::string text = BenchText(keystrokes);
    const std::vector<unsigned char> bytes = Records(text);

    form->Documents().FileNew();
    const int played = form->Documents().GetWindowCounter();
    ::SetFocus(form->EditWindow(played)->GetHandle());
    application.ProcessMessages();
    MacroRecorder->Events().WriteBuffer(bytes.data(), int64_t(bytes.size()));
    const double playback = wine_bench::Time([] {
      MacroRecorder->Play();
      PumpUntilIdle();
    });
    const std::string playedText = form->EditWindow(played)->GetEdit()->GetText();

    form->Documents().FileNew();
    TktCustomEdit* typed = form->Documents().CurrentEditor();
    const double commands = wine_bench::Time([&] {
      for (char c : text) {
        if (c == '\n') {
          typed->ExecuteCommand(ecLineBreak, 0, nullptr);
        } else {
          typed->ExecuteCommand(ecChar, c, nullptr);
        }
      }
      PumpUntilIdle();
    });
    if (playedText != typed->GetText())
      std::fprintf(stderr, "played text differs: %zu bytes against %zu\n", playedText.size(), typed->GetText().size());
    wine_bench::PrintRatio("macro-playback-10k-ratio", playback, commands);
    std::printf("macro-playback-10k-s: %.3f\n", playback);
    for (int i = 0; i < form->GetPageCount(); ++i) {
      form->Documents().ActivateTab(i);
      form->Documents().CurrentEditor()->SetModified(false);
    }
    form->Documents().FileCloseAll();
    FreeMacroRecorder();
    return 0;
  });
}

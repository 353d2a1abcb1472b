#include "board/media.h"

#include "board/app_state.h"
#include "quiz/board_identifiers.h"
#include "quiz/quiz.h"
#include "win32/late_bound.h"

#include <cstdio>
#include <oleauto.h>
#include <wmp.h>

namespace {

// The import libraries lack these two identifiers.
const CLSID mediaPlayerClass = {0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
const IID mediaPlayerInterface = {0x6BF52A4F, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};

using AttachControl = HRESULT(WINAPI*)(IUnknown* control, HWND window, IUnknown** container);

struct VideoSlot {
    HWND frame;
    IWMPPlayer* player;
    IWMPControls* controls;
    HRESULT status;
};

// One slot per possible entry; the players live until the program ends.
VideoSlot slots[MaxEntries + 1];

void clipName(int entry, char (&name)[32])
{
    std::snprintf(name, sizeof name, "quizz%d.avi", entry);
}

// Strings go to the player as BSTRs, from the ANSI code page.
HRESULT putString(IWMPPlayer* player, HRESULT (STDMETHODCALLTYPE IWMPPlayer::*put)(BSTR), const char* text)
{
    wchar_t wide[QuizTextSize];
    if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wide, QuizTextSize))
        return E_INVALIDARG;
    BSTR value = sysAllocString(wide);
    HRESULT status = (player->*put)(value);
    sysFreeString(value);
    return status;
}

VideoSlot* slotOf(int entry)
{
    return entry >= 1 && entry <= MaxEntries ? &slots[entry] : nullptr;
}

}  // namespace

bool setUpVideo(int entry, HWND frame)
{
    VideoSlot* slot = slotOf(entry);
    if (!slot)
        return false;
    slot->frame = frame;
    slot->status = comCreateInstance(mediaPlayerClass, nullptr,
                                     CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                     mediaPlayerInterface, reinterpret_cast<void**>(&slot->player));
    if (FAILED(slot->status) || !slot->player) {
        slot->player = nullptr;
        return false;
    }
    // Without the hosting entry the player cannot be shown in its frame; it
    // still plays through the platform's own window.
    if (auto attach = reinterpret_cast<AttachControl>(reinterpret_cast<void*>(videoAttachEntry)))
        slot->status = attach(slot->player, frame, nullptr);
    slot->status = slot->player->get_controls(&slot->controls);
    if (FAILED(slot->status))
        slot->controls = nullptr;
    slot->status = putString(slot->player, &IWMPPlayer::put_uiMode, "none");
    if (extractMedia(MediaResourceIdBase + entry, MediaKind::Video)) {
        char name[32];
        clipName(entry, name);
        slot->status = putString(slot->player, &IWMPPlayer::put_URL, name);
        if (slot->controls)
            slot->controls->stop();
        removeMediaFile(MediaKind::Video, entry);
    }
    return true;
}

void playVideo(int entry)
{
    VideoSlot* slot = slotOf(entry);
    if (!slot || !slot->controls)
        return;
    if (extractMedia(MediaResourceIdBase + entry, MediaKind::Video))
        slot->controls->play();
}

void stopVideos()
{
    for (int entry = 1; entry <= MaxEntries; ++entry)
        if (slots[entry].controls)
            slots[entry].controls->stop();
}

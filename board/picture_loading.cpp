#include "board/picture_loading.h"

#include "board/picture.h"
#include "quiz/board_identifiers.h"
#include "quiz/own_resources.h"
#include "quiz/picture_size.h"
#include "win32/late_bound.h"
#include "win32/scoped_handles.h"
#include "win32/startup_trace.h"

#include <algorithm>
#include <optional>

namespace {

// More threads than this only wait on each other in the decoder.
constexpr int largestWorkers = 8;
constexpr DWORD stopTimeoutMs = 10000;

struct PictureJob {
    OwnResource resource;
    PictureSize stated;
    volatile LONG load;  // a PictureLoad
    HBITMAP fitted;      // written by its worker before `load` turns Done
};

// Shared by the window thread and the workers: the workers write a job's
// bitmap, then its state; everything else is set before they start.
struct PictureWork {
    PictureJob jobs[MaxEntries + 1];
    int order[MaxEntries];  // the entries to decode, first to last
    int jobCount;
    volatile LONG next;  // the next place in `order` a worker takes
    volatile LONG stopping;
    HWND volatile board;
    HANDLE done;  // set whenever a picture is done
    HANDLE workers[largestWorkers];
    int workerCount;
};

PictureWork work;

PictureJob* jobOf(int entry)
{
    return entry >= 1 && entry <= MaxEntries ? &work.jobs[entry] : nullptr;
}

LONG loadOf(const PictureJob& job)
{
    return InterlockedCompareExchange(const_cast<volatile LONG*>(&job.load), 0, 0);
}

void decodeOne(int entry, HDC screen)
{
    PictureJob& job = work.jobs[entry];
    double since = startupClock();
    job.fitted = decodeOwnPicture(job.resource, PictureBoxSide, PictureBoxSide, screen);
    addStartupCost("picture decoded and fitted", since);
    InterlockedExchange(&job.load, LONG(PictureLoad::Done));
    SetEvent(work.done);
    HWND board = static_cast<HWND>(InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&work.board),
                                                                      nullptr, nullptr));
    if (board)
        PostMessageA(board, PictureDoneMessageId, WPARAM(entry), 0);
}

// The screen's DC is given back before the thread's COM goes.
void decodeQueuedPictures()
{
    WindowDc screen(nullptr);
    while (!InterlockedCompareExchange(&work.stopping, 0, 0)) {
        LONG at = InterlockedIncrement(&work.next) - 1;
        if (at >= work.jobCount)
            break;
        decodeOne(work.order[at], screen.dc);
    }
}

DWORD WINAPI decodePictures(void*)
{
    decodeQueuedPictures();
    releaseDecoderComOfThisThread();
    return 0;
}

int coreCount()
{
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    return std::max(1, int(system.dwNumberOfProcessors));
}

// Up to `wanted` workers in all, while pictures are left to decode.
void addPictureWorkers(int wanted)
{
    wanted = std::min({wanted, largestWorkers, work.jobCount});
    while (work.workerCount < wanted && work.done && work.next < work.jobCount) {
        HANDLE worker = CreateThread(nullptr, 0, decodePictures, nullptr, 0, nullptr);
        if (!worker)
            break;
        work.workers[work.workerCount++] = worker;
    }
}

}  // namespace

void startPictureLoading(const Quiz& quiz)
{
    if (quiz.kind != QuizKind::Picture)
        return;
    for (int entry = 1; entry <= quiz.entryCount && entry <= MaxEntries; ++entry) {
        OwnResource resource = findOwnResource(MediaResourceType, MediaResourceIdBase + entry);
        PictureSize stated = statedSizeOfOwnPicture(resource);
        // What the decoder would refuse is not queued: its square shows empty at once.
        if (!pictureSizeIsDecodable(stated))
            continue;
        work.jobs[entry] = {resource, stated, LONG(PictureLoad::Pending), nullptr};
        work.order[work.jobCount++] = entry;
    }
    if (work.jobCount == 0)
        return;
    // The display and its driver are set up on first use: here, on the
    // window thread, before any worker asks for the screen.
    {
        WindowDc screen(nullptr);
    }
    work.done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    // One core is left to the window thread until the board shows: the
    // workers would slow the making of the windows more than they speed up
    // the few pictures in view.
    addPictureWorkers(std::max(1, coreCount() - 1));
    // Without a worker every picture is decoded here and now, as it always
    // could be.
    if (work.workerCount == 0)
        decodePictures(nullptr);
}

void usePictureWorkersOnEveryCore()
{
    addPictureWorkers(coreCount());
}

void postPicturesTo(HWND board)
{
    InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&work.board), board);
}

PictureSize statedSizeOf(int entry)
{
    PictureJob* job = jobOf(entry);
    return job ? job->stated : PictureSize{};
}

PictureLoad pictureLoadOf(int entry)
{
    PictureJob* job = jobOf(entry);
    return job ? PictureLoad(loadOf(*job)) : PictureLoad::None;
}

bool waitForPicture(int entry, DWORD timeoutMs)
{
    PictureJob* job = jobOf(entry);
    if (!job || loadOf(*job) != LONG(PictureLoad::Pending))
        return true;
    // The waiting thread decodes the next pictures in the queue itself
    // rather than idle.
    std::optional<WindowDc> screen;
    DWORD started = GetTickCount();
    while (loadOf(*job) == LONG(PictureLoad::Pending)) {
        LONG at = InterlockedIncrement(&work.next) - 1;
        if (at < work.jobCount) {
            if (!screen)
                screen.emplace(nullptr);
            decodeOne(work.order[at], screen->dc);
            continue;
        }
        DWORD spent = GetTickCount() - started;
        if (spent >= timeoutMs)
            break;
        WaitForSingleObject(work.done, timeoutMs - spent);
    }
    return loadOf(*job) != LONG(PictureLoad::Pending);
}

HBITMAP takePicture(int entry)
{
    PictureJob* job = jobOf(entry);
    if (!job || InterlockedCompareExchange(&job->load, LONG(PictureLoad::Taken), LONG(PictureLoad::Done))
                    != LONG(PictureLoad::Done))
        return nullptr;
    HBITMAP fitted = job->fitted;
    job->fitted = nullptr;
    return fitted;
}

void stopPictureLoading()
{
    InterlockedExchange(&work.stopping, 1);
    if (work.workerCount > 0)
        WaitForMultipleObjects(DWORD(work.workerCount), work.workers, TRUE, stopTimeoutMs);
    for (int at = 0; at < work.workerCount; ++at)
        CloseHandle(work.workers[at]);
    work.workerCount = 0;
    for (int entry = 1; entry <= MaxEntries; ++entry)
        OwnedBitmap left(takePicture(entry));
}

#include "tools/builder/files/file_facts.h"
#include "tools/builder/files/memory_files.h"

// Every file in memory may be read; the store's numbers tell files apart.
FileFacts fileFactsOf(const std::string& path)
{
    FileFacts facts;
    if (const std::vector<uint8_t>* bytes = memoryFile(path)) {
        facts.kind = FileKind::File;
        facts.size = bytes->size();
        facts.identified = true;
        facts.volume = 1;
        facts.index = memoryFileNumber(path);
    } else if (isMemoryFolder(path)) {
        facts.kind = FileKind::Folder;
    } else {
        facts.problem = "cannot be examined, no such file or directory (errno 2)";
    }
    return facts;
}

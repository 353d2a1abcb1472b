#include "tools/builder/program/program_header.h"

#include <cstdio>

namespace {

constexpr std::size_t peOffsetField = 0x3C;      // where the "MZ" header keeps the "PE" header's offset
constexpr std::size_t peHeaderBytes = 24;        // "PE\0\0" and the file header after it
constexpr uint16_t machineI386 = 0x014C;         // IMAGE_FILE_MACHINE_I386
constexpr uint16_t machineAmd64 = 0x8664;        // IMAGE_FILE_MACHINE_AMD64
constexpr uint16_t characteristicDll = 0x2000;   // IMAGE_FILE_DLL
constexpr uint16_t characteristicProgram = 0x0002;  // IMAGE_FILE_EXECUTABLE_IMAGE
constexpr std::size_t sectionHeaderBytes = 40;   // one entry of the section table
constexpr std::size_t sectionNameBytes = 8;      // its name, NUL-padded

uint16_t word16(const std::vector<uint8_t>& bytes, std::size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t word32(const std::vector<uint8_t>& bytes, std::size_t at)
{
    return word16(bytes, at) | static_cast<uint32_t>(word16(bytes, at + 2)) << 16;
}

// A section's name as the table holds it, bytes outside printable ASCII as "?".
std::string sectionName(const std::vector<uint8_t>& bytes, std::size_t at)
{
    std::string name;
    for (std::size_t next = at; next < at + sectionNameBytes && bytes[next] != 0; ++next)  // at most 8 bytes
        name += bytes[next] >= 0x20 && bytes[next] < 0x7F ? static_cast<char>(bytes[next]) : '?';
    return name;
}

// Empty when every section's bytes lie within the file.
std::string sectionProblem(const std::vector<uint8_t>& start, uint32_t pe, uint64_t fileSize)
{
    std::size_t sections = word16(start, pe + 6);
    std::size_t table = pe + peHeaderBytes + word16(start, pe + 20);
    if (sections == 0)
        return "not a Windows program (no sections)";
    if (sections > MaxProgramSections)
        return "not a Windows program (" + std::to_string(sections) + " sections, at most "
               + std::to_string(MaxProgramSections) + ")";
    if (table + sections * sectionHeaderBytes > start.size())
        return "its section table lies past its first " + std::to_string(ProgramHeaderBytes)
               + " bytes, where quizbuild checks a program";
    // Bounded by MaxProgramSections entries, all within `start`.
    for (std::size_t at = table; at < table + sections * sectionHeaderBytes; at += sectionHeaderBytes) {
        uint64_t end = uint64_t(word32(start, at + 20)) + word32(start, at + 16);
        if (word32(start, at + 16) != 0 && end > fileSize)
            return "cut short: its section \"" + sectionName(start, at) + "\" runs to byte " + std::to_string(end)
                   + ", but the file has " + std::to_string(fileSize) + " bytes";
    }
    return "";
}

}  // namespace

std::string windowsProgramProblem(const std::vector<uint8_t>& start, uint64_t fileSize)
{
    if (start.size() < 2 || start[0] != 'M' || start[1] != 'Z')
        return "not a Windows program (no \"MZ\" header)";
    if (start.size() < peOffsetField + 4)
        return "not a Windows program (its \"MZ\" header is cut short)";
    uint32_t pe = word32(start, peOffsetField);
    if (pe > start.size() || start.size() - pe < peHeaderBytes)
        return "not a Windows program (no \"PE\" header within its first " + std::to_string(ProgramHeaderBytes)
               + " bytes)";
    if (start[pe] != 'P' || start[pe + 1] != 'E' || start[pe + 2] != 0 || start[pe + 3] != 0)
        return "not a Windows program (an MS-DOS program: no \"PE\" header)";
    uint16_t machine = word16(start, pe + 4);
    if (machine != machineI386 && machine != machineAmd64) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04X", machine);
        return std::string("a Windows program for another processor (machine ") + hex + "), not for x86 or x86-64";
    }
    uint16_t characteristics = word16(start, pe + 22);
    if (characteristics & characteristicDll)
        return "a Windows library (DLL), not a program";
    if (!(characteristics & characteristicProgram))
        return "not a Windows program (its \"PE\" header does not mark it executable)";
    return sectionProblem(start, pe, fileSize);
}

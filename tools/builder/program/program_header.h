// Whether a file is a Windows program, told by its headers alone: the
// player must be one, and the resource calls that write the quiz into its
// copy only say "bad EXE format" about anything else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Bytes read from the start of a program to check it: they hold the "MZ"
// header and, for the programs linkers write, the "PE" header it points to
// and the section table after it.
inline constexpr std::size_t ProgramHeaderBytes = 4096;

// Windows loads no program of more sections than this.
inline constexpr std::size_t MaxProgramSections = 96;

// Empty when `start` (the first bytes of a file of `fileSize` bytes, at
// most ProgramHeaderBytes) begins a whole Windows program for x86 or x86-64;
// otherwise why not, e.g. "not a Windows program (no \"MZ\" header)".
std::string windowsProgramProblem(const std::vector<uint8_t>& start, uint64_t fileSize);

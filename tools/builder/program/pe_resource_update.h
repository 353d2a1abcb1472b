// A new program image from an existing one with other resources: every
// resource of the program is kept byte for byte except those of the
// dropped types, the new resources are added (replacing any of the same
// type and number), and the resource tree is written into a resource
// section of its own.
//
// Where it goes: when the resource section is the program's last section
// (by address and in the file) and holds nothing but resources, it is
// rebuilt at the same address with its new size. Otherwise (players linked
// by mingw have the base relocations after it) a new section ".rsrc" is
// added after the last one and the resource data directory points at it;
// the old section stays in the image, unused, renamed ".oldrsrc" if it was
// ".rsrc". Bytes after the last section (a symbol table, say) are moved
// after the new section and the file offsets pointing at them adjusted.
// The image size, the size of initialized data and, when the program had
// one, the checksum are brought up to date. Signed programs are refused:
// their signature would no longer match.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct NewResource {
    std::string type;  // a named type ("PATCH", "IMG"); stored in capitals
    uint16_t id;
    std::span<const uint8_t> bytes;  // language-neutral, code page 0
};

struct ImageUpdate {
    std::vector<uint8_t> bytes;  // the whole new program
    std::string problem;         // empty when made
};

// `droppedTypes` are named types whose every resource goes, compared as
// the resource calls do (a to z in either case).
ImageUpdate replaceResources(std::span<const uint8_t> program, const std::vector<std::string>& droppedTypes,
                             const std::vector<NewResource>& added);

// Texts and bytes copied into a WebAssembly module's memory for the length
// of one call, then freed. `memory` is { malloc(size), free(at), heap(),
// textSize(text), writeText(text, at, size) } over the module's own
// functions; heap() is asked after malloc, since a growing memory replaces
// the module's view of it.
// Used by the quiz page's script and appended to the studio's builder module.

// A NUL follows the bytes, for calls that read them as a C string, and
// makes the block never empty.
function withBytesInMemory(memory, bytes, use) {
  const at = memory.malloc(bytes.length + 1);
  const heap = memory.heap();
  heap.set(bytes, at);
  heap[at + bytes.length] = 0;
  try { return use(at, bytes.length); } finally { memory.free(at); }
}

// The text in UTF-8, ended by a NUL.
function withTextInMemory(memory, text, use) {
  const size = memory.textSize(text) + 1;
  const at = memory.malloc(size);
  memory.writeText(text, at, size);
  try { return use(at); } finally { memory.free(at); }
}

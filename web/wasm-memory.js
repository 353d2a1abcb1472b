// Bytes copied into a WebAssembly module's memory for the length of one
// call, then freed. `memory` is { malloc(size), free(at), heap() }: heap()
// is asked after malloc, since a growing memory replaces the module's view
// of it. A NUL follows the bytes, for calls that read them as a C string,
// and makes the block never empty.
// Used by the quiz page's script and appended to the studio's builder module.
function withBytesInMemory(memory, bytes, use) {
  const at = memory.malloc(bytes.length + 1);
  const heap = memory.heap();
  heap.set(bytes, at);
  heap[at + bytes.length] = 0;
  try { return use(at, bytes.length); } finally { memory.free(at); }
}

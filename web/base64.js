// The bytes a base64 text stands for: the pages carry their WebAssembly,
// the player and the media as base64 inside themselves.
function bytesOfBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let at = 0; at < binary.length; ++at) bytes[at] = binary.charCodeAt(at);
  return bytes;
}

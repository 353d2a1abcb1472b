// The studio's one access to the quiz builder compiled to WebAssembly (the
// factory quizzBuilder, defined by the script before this one) and to the
// 32-bit player the page carries, which every built quiz starts from. Both
// binaries are base64 data blocks of the page.

let builderLoading = null;
let playerCache = null;

function dataBlockBytes(id) {
  return bytesOfBase64(document.getElementById(id).textContent.trim());
}

// The builder module, instantiated on the first call from its binary (so it
// fetches nothing); a failed start is not kept, so a later call tries again.
async function loadBuilder() {
  if (!builderLoading) {
    builderLoading = quizzBuilder({ wasmBinary: dataBlockBytes('quizz-builder-wasm') }).catch((error) => {
      builderLoading = null;
      throw error;
    });
  }
  return builderLoading;
}

// The player's bytes, decoded once; shared, so callers copy before changing
// them (putFile copies).
function playerBytes() {
  if (!playerCache) playerCache = dataBlockBytes('quizz-player');
  return playerCache;
}

// Starts the studio: the builder is loaded, then the page says it is ready.

function showStartFailure(error) {
  document.documentElement.dataset.studio = 'failed';
  const message = document.createElement('p');
  message.textContent = 'Le studio n’a pas pu démarrer : ' + error.message;
  document.getElementById('studio').replaceChildren(message);
}

async function startStudio() {
  await loadBuilder();
  playerBytes();
  document.documentElement.dataset.studio = 'ready';
}

startStudio().catch(showStartFailure);

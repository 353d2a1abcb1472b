// The quiz's pictures, sounds and clips: blob addresses made from the data
// the page carries, and each entry's picture or clip with its buttons.

// Addresses by role (question, answer, clip) and entry.
function mediaUrls(items) {
  const urls = { question: {}, answer: {}, clip: {} };
  for (const item of items) {
    const blob = new Blob([bytesOfBase64(item.data)], { type: item.type });
    urls[item.role][item.entry] = URL.createObjectURL(blob);
  }
  return urls;
}

// The entry's square picture; the answer picture takes its place once shown.
function pictureSquare(page, entry) {
  const square = element('div', 'square');
  const picture = element('img', 'picture');
  picture.alt = 'Image ' + entry;
  if (page.media.question[entry]) picture.src = page.media.question[entry];
  square.append(picture);
  page.pictureOf[entry] = picture;
  return square;
}

// Play starts the clip from its beginning; stop rewinds it, as the player's buttons do.
function clipButtons(player, entry) {
  const play = button('play', '▶');
  play.setAttribute('aria-label', 'Écouter ' + entry);
  const stop = button('stop', '■');
  stop.setAttribute('aria-label', 'Arrêter ' + entry);
  play.addEventListener('click', () => {
    player.currentTime = 0;
    player.play().catch(() => {});
  });
  stop.addEventListener('click', () => {
    player.pause();
    player.currentTime = 0;
  });
  const buttons = element('div', 'buttons');
  buttons.append(play, stop);
  return buttons;
}

// A sound's player is hidden after the entry's number; a video shows in the picture's place.
function appendClip(page, card, entry, number) {
  const player = element(page.kind === Kind.Sound ? 'audio' : 'video', 'clip');
  player.preload = 'auto';
  if (page.media.clip[entry]) player.src = page.media.clip[entry];
  card.append(page.kind === Kind.Video ? player : element('span', 'spacer'), clipButtons(player, entry), number);
  if (page.kind === Kind.Sound) card.append(player);
}

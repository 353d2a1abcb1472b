// The quiz's pictures, sounds and clips. The page carries each in a data
// block after its script, so the board is drawn and takes answers while the
// browser still reads them. Each becomes a blob address when its entry nears
// the screen, or one at a time when the page is idle, never all at once.

// What the data says of each item (entry, role, type), and the addresses
// made so far by role (question, answer, clip) and entry.
function mediaOf(items) {
  return { items, urls: { question: {}, answer: {}, clip: {} }, made: new Set(), wanted: [], next: 0, waiting: false, idle: 0 };
}

// Item `index`'s address from its block, once; false while the browser has
// not read that block yet.
function makeMediaUrl(page, index) {
  const media = page.media;
  if (media.made.has(index)) return true;
  const block = document.getElementById('quizz-media-' + index);
  // The parser puts a block in the page before it has read all its text:
  // it is whole once something follows it, or the page is read.
  if (!block || (document.readyState === 'loading' && !block.nextSibling)) return false;
  const item = media.items[index];
  media.urls[item.role][item.entry] = URL.createObjectURL(new Blob([bytesOfBase64(block.textContent)], { type: item.type }));
  // Its text is no longer needed.
  block.remove();
  media.made.add(index);
  showMedia(page, item.entry);
  return true;
}

// The entry's picture (the answer picture once revealed, as the player
// keeps it) or clip, as far as their addresses are made.
function showMedia(page, entry) {
  const urls = page.media.urls;
  const picture = page.pictureOf[entry];
  if (picture) {
    const url = (page.answerShown[entry] && urls.answer[entry]) || urls.question[entry];
    if (url && picture.getAttribute('src') !== url) shownMedia(entry, picture, url);
  }
  const clip = page.clipOf[entry];
  if (clip && urls.clip[entry] && !clip.getAttribute('src')) shownMedia(entry, clip, urls.clip[entry]);
}

function shownMedia(entry, view, url) {
  view.src = url;
  // Benchmarks read the time from navigation to the first entry's media here.
  if (entry === 1 && !performance.getEntriesByName('quizz-first-media').length) performance.mark('quizz-first-media');
}

// Asks for the entry's items before the others.
function wantMedia(page, entry) {
  page.media.items.forEach((item, index) => {
    if (item.entry === entry && !page.media.made.has(index)) page.media.wanted.push(index);
  });
  scheduleMedia(page, true);
}

// One item now: the first wanted, else the next in board order. Blocks not
// read yet wait for the end of the page.
function makeNextMedia(page) {
  const media = page.media;
  media.waiting = false;
  while (media.wanted.length && media.made.has(media.wanted[0])) media.wanted.shift();
  while (media.next < media.items.length && media.made.has(media.next)) media.next += 1;
  const index = media.wanted.length ? media.wanted[0] : media.next;
  if (index >= media.items.length) return;
  if (!makeMediaUrl(page, index)) {
    if (document.readyState !== 'loading') {
      media.made.add(index);  // no such block: nothing to show
    } else {
      media.waiting = 'page';
      document.addEventListener('DOMContentLoaded', () => {
        media.waiting = false;
        scheduleMedia(page, true);
      }, { once: true });
      return;
    }
  }
  scheduleMedia(page, media.wanted.length > 0);
}

// Wanted items come at once; the rest when the browser is idle. An entry
// that comes near the screen while the page waits for idle time is not
// kept waiting: a busy, slow device may have none for a second.
function scheduleMedia(page, soon) {
  const media = page.media;
  if (media.waiting === 'soon' || media.waiting === 'page' || (media.waiting === 'idle' && !soon)) return;
  if (media.waiting === 'idle') cancelIdleCallback(media.idle);
  if (soon || typeof requestIdleCallback !== 'function') {
    media.waiting = 'soon';
    setTimeout(() => makeNextMedia(page), 0);
  } else {
    media.waiting = 'idle';
    media.idle = requestIdleCallback(() => makeNextMedia(page), { timeout: 1000 });
  }
}

// Entries that come near the screen ask for their media first.
function watchMedia(page, cards) {
  if (typeof IntersectionObserver === 'function') {
    const observer = new IntersectionObserver((seen) => {
      for (const card of seen) {
        if (!card.isIntersecting) continue;
        observer.unobserve(card.target);
        wantMedia(page, Number(card.target.dataset.entry));
      }
    }, { rootMargin: '100% 0px' });
    cards.forEach((card) => observer.observe(card));
  }
  scheduleMedia(page, false);
}

// The entry's square picture; the answer picture takes its place once shown.
function pictureSquare(page, entry) {
  const square = element('div', 'square');
  const picture = element('img', 'picture');
  picture.alt = 'Image ' + entry;
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
  page.clipOf[entry] = player;
  card.append(page.kind === Kind.Video ? player : element('span', 'spacer'), clipButtons(player, entry), number);
  if (page.kind === Kind.Sound) card.append(player);
}

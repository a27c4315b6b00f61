// The page: its views (Play, Effects; more can join the table), the offline cache.
import { initPlay, runningShow, showMessage } from './play.js';
import { showEffects, effectFrames } from './effects.js';

const views = {
  play: { element: document.getElementById('view-play'), show() {} },
  effects: { element: document.getElementById('view-effects'), show: showEffects },
};

function route() {
  const name = location.hash.slice(1) in views ? location.hash.slice(1) : 'play';
  for (const [key, view] of Object.entries(views)) {
    const on = key === name;
    view.element.hidden = !on;
    if (key === 'effects') view.show(on);
    document.querySelector(`nav a[data-view="${key}"]`).classList.toggle('active', on);
  }
}

window.addEventListener('error', (e) => showMessage(e.message));
window.addEventListener('unhandledrejection', (e) => showMessage(String(e.reason?.message ?? e.reason)));

initPlay();
window.addEventListener('hashchange', route);
route();
// For the page's tests: what runs now.
window.scrPage = { effectFrames, runningShow };

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js').then(() => navigator.serviceWorker.ready)
    .then(() => { document.body.dataset.offline = 'ready'; })
    .catch((e) => console.warn(`No offline copy: ${e.message}`));
}

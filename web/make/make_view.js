// The Make view: files in, told apart by content; pictures converted in workers and
// shown as thumbnails to order, caption or remove; the settings form; and the saver
// written by the maker's own writer (WebAssembly) after the Windows runtime.
import createWebWriter from './webwriter.js';
import { droppedFiles, pickedFiles, headOf } from './make_files.js';
import { jpegFacts, jpegNeedsNothing, naturalCompare } from './picture_rules.js';
import { captionMetadata } from './picture_metadata.js';
import { PicturePool } from './picture_pool.js';
import { readSettings, saverFileName, commandLine, formSnapshot, fieldsOfSaver } from './settings_form.js';
import * as say from './picture_messages.js';
import { saveProject, openProject } from './project_file.js';

const $ = (id) => document.getElementById(id);
const writerReady = createWebWriter();
const pool = new PicturePool();
// opened: the saver opened for editing, if any (see readSettings); preview: its preview
// picture of its own, kept as stored.
const state = { pictures: [], sounds: [], others: [], order: 'name', nextKey: 1, run: 0, opened: null, preview: null };
const mimeOf = { JPEG: 'image/jpeg', PNG: 'image/png', GIF: 'image/gif', WebP: 'image/webp', AVIF: 'image/avif',
  BMP: 'image/bmp', ICO: 'image/x-icon', HEIF: 'image/heif', TIFF: 'image/tiff' };

// ---- Adding files ----

async function addFiles(files) {
  pool.warm();
  const writer = await writerReady;
  for (const file of files) {
    if (/\.scr$/i.test(file.name) && file.size > 0) {
      await openSaverFile(file);
      continue;
    }
    const item = { key: state.nextKey++, file, name: file.name, caption: '', size: file.size };
    if (file.size === 0) {
      item.error = say.emptyFile();
      state.pictures.push(item);
      continue;
    }
    const type = writer.detectContent(await headOf(file));
    item.format = type.format;
    if (type.kind === 'picture') {
      item.pictureClass = type.pictureClass;
      item.date = file.lastModified;
      state.pictures.push(item);
    } else if (type.kind === 'sound') {
      if (!type.windowsPlays) item.warning = say.soundWarning(type.format);
      state.sounds.push(item);
    } else if (type.kind === 'movie') {
      item.error = say.movieLeftOut();
      state.others.push(item);
    } else {
      item.error = say.notMedia();
      state.pictures.push(item);
    }
  }
  sortPictures();
  render();
  await prepareAll();
}

// ---- Pictures: decided, converted, thumbnailed ----

function pictureOptions() {
  const s = currentSettings();
  return { maxWidth: s.maxSize.width, maxHeight: s.maxSize.height, quality: s.quality, background: backgroundColour() };
}
const optionsKey = (o) => `${o.maxWidth}x${o.maxHeight}q${o.quality}${o.background}`;
const backgroundColour = () => $('settings').elements.Background.value;

// A picture taken from an opened saver goes back in as it was stored; it is only
// decoded for its thumbnail (one the browser cannot show still goes in).
async function prepareKept(item, run) {
  const answer = await pool.run({ blob: new Blob([item.stored.bytes]), mime: '', convert: false });
  if (answer.cancelled || run !== state.run) return;
  if (!answer.error) {
    item.thumb = URL.createObjectURL(answer.thumb);
    item.width = answer.width;
    item.height = answer.height;
  }
  item.optionsKey = 'kept';
}

async function prepare(item, options, run) {
  if (item.kept) return prepareKept(item, run);
  const bytes = item.original || new Uint8Array(await item.file.arrayBuffer());
  if (run !== state.run) return;
  let convert = !item.pictureClass;
  let upright = null;
  if (item.pictureClass === 'TJPEGImage') {
    const facts = jpegFacts(bytes);
    if (!facts.endsWell || !facts.width) {
      item.error = say.cutOff();
      return;
    }
    if (facts.taken !== undefined) item.date = facts.taken, item.dateTaken = true;
    item.metadata = captionMetadata(bytes);
    convert = !jpegNeedsNothing(facts, options.maxWidth, options.maxHeight);
    const turned = facts.orientation >= 5;
    upright = { width: turned ? facts.height : facts.width, height: turned ? facts.width : facts.height };
  }
  const answer = await pool.run({ blob: new Blob([bytes]), mime: mimeOf[item.format] || '', convert,
    opaque: item.format === 'JPEG', upright, resizer: state.resizer, ...options });
  if (answer.cancelled || run !== state.run) return;
  if (answer.error) {
    item.error = say.unreadable(item.format);
    return;
  }
  if (item.thumb) URL.revokeObjectURL(item.thumb);
  item.thumb = URL.createObjectURL(answer.thumb);
  item.width = answer.width;
  item.height = answer.height;
  item.ms = answer.ms;
  item.stored = convert ? { pictureClass: 'TJPEGImage', bytes: answer.bytes } : { pictureClass: item.pictureClass, bytes };
  item.converted = convert;
  item.optionsKey = optionsKey(options);
}

// Converts every picture not yet done for the current options, as many at a time as
// there are workers and one more waiting: a file is read only shortly before a worker
// takes it, so a hundred photos are never all in memory at once.
async function prepareAll(progress) {
  const options = pictureOptions();
  const key = optionsKey(options);
  const run = state.run;
  const todo = state.pictures.filter((p) => !p.error && p.optionsKey !== (p.kept ? 'kept' : key));
  const queue = [...todo];
  let done = 0;
  const lane = async () => {
    for (let item = queue.shift(); item && run === state.run; item = queue.shift()) await prepareOne(item);
  };
  const prepareOne = async (item) => {
    item.working = true;
    renderItem(item);
    try {
      await prepare(item, options, run);
    } catch (e) {
      item.error = say.unreadable(item.format);
    }
    item.working = false;
    ++done;
    if (run === state.run) {
      renderItem(item);
      if (progress) progress(done, todo.length);
    }
  };
  await Promise.all(Array.from({ length: pool.size + 1 }, lane));
  if (run === state.run) sortPictures(), render();
  return run === state.run;
}

function sortPictures() {
  if (state.order === 'name') state.pictures.sort((a, b) => naturalCompare(a.name, b.name));
  if (state.order === 'date') state.pictures.sort((a, b) => (a.date ?? 0) - (b.date ?? 0) || naturalCompare(a.name, b.name));
}

// ---- Rendering ----

const usable = () => state.pictures.filter((p) => !p.error);

function renderItem(item) {
  const li = document.querySelector(`[data-key="${item.key}"]`);
  if (li) li.replaceWith(pictureCard(item));
}

function pictureCard(item) {
  const li = document.createElement('li');
  li.dataset.key = item.key;
  li.dataset.status = item.error ? 'error' : item.working ? 'working' : item.stored ? 'ready' : 'waiting';
  li.draggable = state.order === 'hand' && !item.error;
  const img = document.createElement('img');
  img.alt = '';
  if (item.thumb) img.src = item.thumb;
  const name = document.createElement('span');
  name.className = 'name';
  name.textContent = item.name;
  const date = document.createElement('span');
  date.className = 'date';
  if (item.date !== undefined && !item.error)
    date.textContent = `${item.dateTaken ? 'taken' : 'saved'} ${new Date(item.date).toLocaleString()}`;
  li.append(img, name, date);
  if (item.error) {
    const p = document.createElement('p');
    p.className = 'message error';
    p.textContent = item.error;
    li.append(p);
  } else {
    const caption = document.createElement('input');
    caption.className = 'caption';
    caption.placeholder = ownCaption(item) || 'caption (optional)';
    caption.value = item.caption;
    caption.addEventListener('input', () => { item.caption = caption.value; updateCommandLine(); });
    li.append(caption);
    if (item.width) {
      const size = document.createElement('span');
      size.className = 'size';
      size.textContent = `${item.width}×${item.height}${item.converted ? ', converted' : ''}`;
      li.append(size);
    }
  }
  const remove = document.createElement('button');
  remove.type = 'button';
  remove.className = 'remove';
  remove.textContent = 'Remove';
  remove.addEventListener('click', () => {
    state.pictures = state.pictures.filter((p) => p !== item);
    if (item.thumb) URL.revokeObjectURL(item.thumb);
    render();
  });
  li.append(remove);
  return li;
}

function fileRow(item, list) {
  const li = document.createElement('li');
  li.dataset.key = item.key;
  li.dataset.status = item.error ? 'error' : item.warning ? 'warning' : 'ready';
  li.textContent = `${item.name} (${item.format || 'unknown'}, ${say.mb(item.size)}) `;
  for (const text of [item.error, item.warning].filter(Boolean)) {
    const p = document.createElement('p');
    p.className = `message ${item.error ? 'error' : 'warning'}`;
    p.textContent = text;
    li.append(p);
  }
  const remove = document.createElement('button');
  remove.type = 'button';
  remove.textContent = 'Remove';
  remove.addEventListener('click', () => { state[list] = state[list].filter((s) => s !== item); render(); });
  li.append(remove);
  return li;
}

function render() {
  $('pictures').replaceChildren(...state.pictures.map(pictureCard));
  $('sounds').replaceChildren(...state.sounds.map((s) => fileRow(s, 'sounds')));
  $('others').replaceChildren(...state.others.map((s) => fileRow(s, 'others')));
  const bad = state.pictures.length - usable().length;
  $('picture-count').textContent = `(${usable().length}${bad ? `, ${bad} left out` : ''})`;
  updateCommandLine();
}

// The caption a picture takes from its own data when the form asks for one (its date,
// title or file name), as `scrtool make --captions` writes it; '' without one.
function ownCaption(item) {
  const form = $('settings').elements;
  const source = form.captions.value;
  if (source === 'none' || !state.writer) return '';
  return state.writer.pictureCaption(source, item.name, item.metadata || {}, form['date-format'].value || '%-d %B %Y');
}

function currentSettings() {
  const writer = state.writer;
  const captions = usable().map((p) => p.caption || ownCaption(p));
  return readSettings($('settings'), captions, (list) => (writer ? writer.commaText(list) : list.join(',')),
    state.opened);
}

function updateCommandLine() {
  const s = currentSettings();
  $('settings-error').textContent = s.error || (state.writer ? state.writer.checkSettings(s.pairs) : '');
  $('command-line').textContent = commandLine(s, usable().map((p) => p.name), state.sounds.map((s) => s.name));
}

// ---- Ordering by hand ----

function setupDragging() {
  const list = $('pictures');
  let dragged = null;
  list.addEventListener('dragstart', (e) => {
    const li = e.target.closest('li');
    dragged = li && state.pictures.find((p) => String(p.key) === li.dataset.key);
    if (e.dataTransfer) e.dataTransfer.setData('text/plain', 'picture');
  });
  list.addEventListener('dragover', (e) => { if (dragged) e.preventDefault(); });
  list.addEventListener('drop', (e) => {
    const li = e.target.closest('li');
    const target = li && state.pictures.find((p) => String(p.key) === li.dataset.key);
    if (!dragged || !target || target === dragged) return;
    e.preventDefault();
    e.stopPropagation();
    movePicture(dragged, state.pictures.indexOf(target));
    dragged = null;
  });
}

// Puts a picture at a new place in the order (by hand).
export function movePicture(item, index) {
  state.pictures.splice(state.pictures.indexOf(item), 1);
  state.pictures.splice(index, 0, item);
  render();
}

// ---- Making the saver ----

let staticFiles;
async function runtimeFiles() {
  if (!staticFiles) {
    const get = async (name) => {
      const r = await fetch(new URL(`../${name}`, import.meta.url));
      if (!r.ok) throw new Error(`the site has no ${name} (build the win32 preset before the site)`);
      return new Uint8Array(await r.arrayBuffer());
    };
    staticFiles = { runtime: await get('runtime.scr'), hook: await get('nuvscrhook.dll') };
  }
  return staticFiles;
}

function showProgress(on) {
  $('progress').hidden = !on;
  $('download').disabled = $('preview').disabled = $('save-project').disabled = on;
}

function message(text, kind = '') {
  $('make-message').textContent = text;
  $('make-message').className = kind;
}

// Every picture ready for the current settings; false when cancelled.
async function readyPictures() {
  showProgress(true);
  const total = usable().length;
  const update = () => {
    const ready = usable().filter((p) => p.stored);
    const bytes = ready.reduce((n, p) => n + p.stored.bytes.length, 0);
    $('progress-bar').value = total ? ready.length / total : 1;
    $('progress-text').textContent = `${ready.length} of ${total} pictures, ${say.mb(bytes)} so far`;
  };
  update();
  try {
    return await prepareAll(update);
  } finally {
    showProgress(false);
  }
}

// The saver's bytes as a Blob, or null with the reason shown.
async function buildSaver() {
  const settings = currentSettings();
  const refused = settings.error || state.writer.checkSettings(settings.pairs);
  if (refused) return message(refused, 'error'), null;
  if (!(await readyPictures())) return message('Cancelled; nothing was made.'), null;
  const pictures = usable();
  if (!pictures.length) return message('Add at least one picture that can be read.', 'error'), null;
  const { runtime, hook } = await runtimeFiles();
  const sounds = state.sounds.filter((s) => !s.error);
  const estimate = runtime.length + hook.length + 65536 +
    pictures.reduce((n, p) => n + p.stored.bytes.length + 64 + p.name.length, 0) +
    sounds.reduce((n, s) => n + s.size + s.name.length, 0);
  if (estimate > say.kSaverLimit) return message(say.tooLarge(estimate), 'error'), null;
  // The file streams out of the writer item by item into Blob parts, so neither the
  // module nor the page holds the whole saver.
  const out = new BlobParts();
  const w = new state.writer.SaverWriter();
  try {
    for (const [name, value] of settings.pairs) w.setting(name, value);
    if (state.opened?.singleByteText) w.singleByteText();
    let error = w.begin(runtime, (view) => out.add(view));
    if (!error) {
      if (state.preview) w.preview('', state.preview.pictureClass, state.preview.bytes);
      for (const p of pictures) w.picture(p.name, p.stored.pictureClass, p.stored.bytes);
      for (const s of sounds) w.sound(s.name, new Uint8Array(await s.file.arrayBuffer()));
      w.hook(hook);
      error = w.finish();
    }
    if (error) {
      message(/cannot exceed/.test(error) ? say.tooLarge(estimate) : error, 'error');
      return null;
    }
    return out.blob();
  } finally {
    w.delete();
  }
}

// Bytes gathered into a Blob: copied out of the module in small pieces, which go into
// the browser's Blob store every 32 MB.
class BlobParts {
  constructor() {
    this.blobs = [];
    this.pieces = [];
    this.size = 0;
  }

  add(view) {
    this.pieces.push(view.slice());
    this.size += view.length;
    if (this.size >= 32 << 20) this.flush();
  }

  flush() {
    if (this.pieces.length) this.blobs.push(new Blob(this.pieces));
    this.pieces = [];
    this.size = 0;
  }

  blob() {
    this.flush();
    return new Blob(this.blobs, { type: 'application/octet-stream' });
  }
}

function offerDownload(blob, name) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 60000);
}

async function download() {
  message('Making the saver…');
  const blob = await buildSaver();
  if (!blob) return;
  const name = saverFileName(currentSettings().pairs);
  offerDownload(blob, name);
  message(`${name} is ready: ${say.mb(blob.size)}. Copy it to a Windows computer, right-click it and choose ` +
    '"Install" (or "Test" to watch it now).', 'done');
}

// Plays the saver in the site's Play view, embedded below: handed over as a file, run in
// the page; the Play view's own Play button shows it full screen.
async function preview() {
  message('Making the preview…');
  const blob = await buildSaver();
  if (!blob) return;
  message('The preview plays below; its Play button shows it full screen, Esc ends it.');
  const box = $('preview-box');
  box.hidden = false;
  let frame = box.querySelector('iframe');
  if (!frame) {
    frame = document.createElement('iframe');
    frame.title = 'Preview';
    frame.allow = 'fullscreen; autoplay';
    const loaded = new Promise((resolve) => frame.addEventListener('load', resolve, { once: true }));
    frame.src = new URL('../index.html#play', import.meta.url).href;
    box.replaceChildren(frame);
    await loaded;
  }
  const doc = frame.contentDocument;
  const input = doc.getElementById('file');
  const transfer = new DataTransfer();
  transfer.items.add(new File([blob], saverFileName(currentSettings().pairs)));
  input.files = transfer.files;
  input.dispatchEvent(new Event('change'));
  const details = doc.getElementById('details');
  for (let i = 0; i < 100 && details.hidden; ++i) await new Promise((r) => setTimeout(r, 100));
  doc.getElementById('play-page').click();
}

async function saveProjectFile() {
  if (!(await readyPictures())) return message('Cancelled; nothing was saved.');
  const settings = currentSettings();
  const blob = saveProject(settings, usable(), state.sounds.filter((s) => !s.error), state.order,
    !!state.opened?.singleByteText);
  offerDownload(await blob, saverFileName(settings.pairs).replace(/\.scr$/, '.zip'));
  message('The project is saved: open it here again to go on, or build it with scrtool make --manifest saver.toml.', 'done');
}

function fillForm(fields) {
  const form = $('settings');
  for (const [name, value] of Object.entries(fields)) {
    const field = form.elements[name];
    if (!field || !field.name) continue;
    if (field.type === 'checkbox') field.checked = value === 'true';
    else field.value = value;
  }
}

function orderByHand() {
  state.order = 'hand';
  document.querySelector('input[name="order"][value="hand"]').checked = true;
}

// A saver opened for editing: its pictures as stored (in its order, with their
// captions), its music, its settings in the form and every other setting kept. Read
// by the writer's module, which reads savers as the tools do.
async function openSaverFile(file) {
  const writer = await writerReady;
  let saver;
  try {
    saver = writer.readSaver(file.name, new Uint8Array(await file.arrayBuffer()));
  } catch (e) {
    saver = { error: String(e.message || e) };
  }
  if (saver.error) return message(`${file.name} cannot be opened: ${saver.error}`, 'error');
  fillForm(fieldsOfSaver(saver.settings, saver.colours));
  orderByHand();
  state.preview = saver.preview && !saver.preview.error ? saver.preview : null;
  for (const [i, p] of saver.pictures.entries()) {
    const item = { key: state.nextKey++, name: p.name, caption: saver.descriptions[i] ?? '', format: p.pictureClass };
    if (p.error) item.error = say.damagedInSaver(p.error);
    else Object.assign(item, { kept: true, size: p.bytes.length, stored: { pictureClass: p.pictureClass, bytes: p.bytes } });
    state.pictures.push(item);
  }
  for (const s of [...saver.sounds, ...saver.movies.map((m) => ({ ...m, movie: true }))]) {
    const item = { key: state.nextKey++, name: s.name, size: s.bytes ? s.bytes.length : 0 };
    if (s.error) item.error = say.damagedInSaver(s.error);
    else item.file = new File([s.bytes], s.name, { lastModified: 0 });
    if (s.movie) {
      item.format = 'Flash';
      item.error = say.movieLeftOut();
      state.others.push(item);
      continue;
    }
    if (item.file) {
      const type = writer.detectContent(await headOf(item.file));
      item.format = type.format;
      if (!type.windowsPlays) item.warning = say.soundWarning(type.format);
    }
    state.sounds.push(item);
  }
  const captions = usable().map((p) => p.caption);
  state.opened = { settings: saver.settings, fields: formSnapshot($('settings')), captions,
    singleByteText: saver.singleByteText };
  render();
  await prepareAll();
  message(`Opened ${file.name}: change what you like and download it again.`, 'done');
}

async function openProjectFile(file) {
  if (/\.scr$/i.test(file.name)) return openSaverFile(file);
  if (!/\.zip$/i.test(file.name)) {
    message(`${file.name}: the page opens savers (.scr) and projects saved here (.zip).`, 'error');
    return;
  }
  try {
    const project = await openProject(file);
    state.opened = null;
    fillForm(project.fields);
    orderByHand();
    await addFiles(project.files);
    project.captions.forEach((c, i) => { if (state.pictures[i]) state.pictures[i].caption = c; });
    render();
    message(`Opened ${file.name}.`, 'done');
  } catch (e) {
    message(`${file.name} cannot be opened: ${e.message}`, 'error');
  }
}

// ---- Wiring ----

function setup() {
  const drop = $('add');
  const stop = (e) => { e.preventDefault(); e.stopPropagation(); };
  for (const t of ['dragenter', 'dragover']) drop.addEventListener(t, (e) => { stop(e); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', async (e) => {
    stop(e);
    drop.classList.remove('over');
    await addFiles(await droppedFiles(e.dataTransfer));
  });
  for (const id of ['pick-files', 'pick-folder'])
    $(id).addEventListener('change', async (e) => { await addFiles(pickedFiles(e.target)); e.target.value = ''; });
  $('pick-project').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    e.target.value = '';
    if (file) await openProjectFile(file);
  });
  for (const radio of document.querySelectorAll('input[name="order"]'))
    radio.addEventListener('change', () => { state.order = radio.value; sortPictures(); render(); });
  $('settings').addEventListener('input', (e) => {
    if (e.target.name === 'captions' || e.target.name === 'date-format') render();
    else updateCommandLine();
  });
  $('settings').addEventListener('submit', (e) => e.preventDefault());
  $('download').addEventListener('click', download);
  $('preview').addEventListener('click', preview);
  $('save-project').addEventListener('click', saveProjectFile);
  $('cancel').addEventListener('click', () => { ++state.run; pool.cancel(); });
  setupDragging();
}

setup();
writerReady.then((writer) => {
  state.writer = writer;
  document.body.dataset.ready = 'true';
  render();
});
// The site's offline copy covers this view too.
if ('serviceWorker' in navigator && location.protocol !== 'file:')
  navigator.serviceWorker.register('../sw.js', { scope: '../' }).catch((e) => console.warn(`No offline copy: ${e.message}`));
// For tests and the page's other views.
window.scrMake = { state, addFiles, movePicture, buildSaver };
